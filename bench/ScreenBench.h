#pragma once

namespace bench {

// Every screen of the main menu opened, "All Dogs" searched and sorted, and the first page
// of the long reports, with resident memory, through the main window as the user opens them.
void benchScreens();

} // namespace bench
