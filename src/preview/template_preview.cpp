#include "preview/template_preview.h"

namespace fc {

void rtfUpdate(App&) {}

}  // namespace fc
