// The "+" and "-" buttons beside the IRC server field: they keep the field's text in the list
// of offered servers, or take it out, and save the settings after a change.
#pragma once

namespace fc {

class App;

// "+": beeps when the field is empty or its server (the text before the first blank) is
// already an entry; else adds the field's whole text.
void addIrcServerToList(App& app);
// "-": removes the first entry equal to the field's text; beeps when the field is empty or no
// entry is equal.
void removeIrcServerFromList(App& app);

}  // namespace fc
