#include "history/InputDispatch.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "core/AtomicFile.h"

namespace karmo {

namespace {

std::string lastThreeLower(const std::string& name) {
    std::string ext = name.size() >= 3 ? name.substr(name.size() - 3) : name;
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

std::string NotATimeSeriesText(const std::string& fileName) {
    return "\"" + fileName + "\" is not a time series.\nA time series is a *.dac, *.bin or *.asc file.";
}

InputConfirmResult ConfirmInputPanel(AppState& s, Prompter& p, const InputChoice& choice) {
    s.UiMode = kUiIdle;
    InputConfirmResult result;

    if (choice.source == HistorySource::Keyboard) {
        s.HistoryModified = true;
        result.next = InputNext::KeyboardEntry;
        return result;
    }
    if (choice.fileName.empty()) {
        result.next = InputNext::ShowDatabasePanel;
        return result;
    }

    // A name that does not lead to an existing file is refused here, before anything
    // changes, rather than by each reader with its own wording.
    const std::string path = JoinPath(choice.directory, choice.fileName);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) || ec) {
        p.ask(Prompt{ReadingHistoryTitle(s), "File not Found! ", Icon::Exclamation, Buttons::Ok, 0});
        return result;
    }
    const bool series = choice.source == HistorySource::TimeSeries;
    const std::string ext = lastThreeLower(choice.fileName);
    if (series && ext != "bin" && ext != "dac" && ext != "asc") {
        // A typed name can get past the list's pattern: say why nothing is read.
        p.ask(Prompt{ReadingHistoryTitle(s), NotATimeSeriesText(choice.fileName), Icon::Exclamation, Buttons::Ok, 0});
        return result;
    }
    s.HistoryPath = path;
    s.HistoryModified = true;

    if (!series) {
        result.opened = OpenChkHFile(s, p);
        result.next = InputNext::HistoryFileOpened;
        return result;
    }

    if (ext == "asc")
        result.series = ReadAsciiSeries(s, p, path, s.CurrentBatch);
    else
        result.series = ReadBinarySeries(s, p, path, s.CurrentBatch);

    if (result.series == SeriesRead::Loaded && s.batch().PointCount > 0) {
        s.HistoryShown = true;
        s.ViewStart = 1;
        result.parms = OpenHistParms(s);
        result.next = InputNext::HistoryParameters;
    }
    return result;
}

}  // namespace karmo
