#pragma once

namespace app {

class App;

// The program's start-up before its main window loads: the data folder, the language (asked
// for on a first start), the end of a second instance, the definitions waiting from a download
// and their count, the exclusions. Returns false when this process is a second instance and has
// ended itself.
bool RunStartUpSteps(App& app);

}  // namespace app
