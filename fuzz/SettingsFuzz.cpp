// Karmo.cfg: a read either takes all eight fields or leaves the length factor at 1; what
// was read is saved and reads back to the same line.
#include "FuzzSupport.h"
#include "core/Settings.h"

using namespace karmo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path dir = fuzz::scratchDir(false);
    fuzz::writeFile(dir / "Karmo.cfg", std::string_view(reinterpret_cast<const char*>(data), size));
    AppState s;
    s.LengthFactor = 2.54f;
    if (!ReadSettings(s, dir.string())) {
        fuzz::check(s.LengthFactor == 1.0f, "a failed read sets the length factor to 1");
        return 0;
    }
    fuzz::check(std::isfinite(s.LengthFactor), "a finite length factor");
    fuzz::check(s.ToolTipsHidden == 0 || s.ToolTipsHidden == 1, "a tool tip choice of the menu");
    const std::string line = SettingsLine(s);
    fuzz::writeFile(dir / "Karmo.cfg", line);
    AppState back;
    fuzz::check(ReadSettings(back, dir.string()), "saved settings read back");
    fuzz::check(SettingsLine(back) == line, "the same line written again");
    return 0;
}
