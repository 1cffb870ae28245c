// The coloured previews of the two report templates.
#pragma once

namespace fc {

class App;

// Rebuilds both previews from the current templates. The template editor is not built yet;
// until it is, this is the place start-up and the editor call, and it does nothing.
void rtfUpdate(App& app);

}  // namespace fc
