// The "Add this server!" button beside the server entry: it keeps the entry's address in the
// list of saved game servers and saves the settings after a change.
#pragma once

namespace fc {

class App;

// Beeps when the entry holds no address or its address is already kept.
void addServerToList(App& app);

}  // namespace fc
