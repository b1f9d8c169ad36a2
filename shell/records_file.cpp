#include "records_file.h"

#include "persist/settings_file.h"
#include "shell/shell_ports.h"

#include <functional>
#include <optional>
#include <string>

namespace {

std::string Quoted(const std::filesystem::path& file) {
    return "\"" + file.string() + "\"";
}

} // namespace

std::filesystem::path AsideRecordsFile(const std::filesystem::path& file) {
    return file.parent_path() / (file.stem().string() + "-unsaved" + file.extension().string());
}

void LoadRecords(MainWindow& window) {
    const std::filesystem::path& file = window.options.load;
    window.saveTo = window.options.save;
    const SettingsFileResult loaded = LoadSettings(window.game, file);
    if (loaded.ok()) {
        return;
    }
    // Saving over a file that was not read would put the default tables in
    // place of the player's records: this run keeps its records aside, and
    // starts from those an earlier such run kept there.
    const std::filesystem::path aside = AsideRecordsFile(file);
    if (window.saveTo == file) {
        window.saveTo = aside;
    }
    const SettingsFileResult fromAside = LoadSettings(window.game, aside);
    const std::string problem = SettingsFileProblem(loaded);
    window.ports->TellSettingsProblem(
        "The records file\n" + file.string() + "\ncould not be read: " + problem +
            ".\n\nIt is left as it is. Until it can be read again, your records and settings "
            "are kept in\n" +
            window.saveTo.string(),
        "cannot read the settings file " + Quoted(file) + ": " + problem + "; keeping the " +
            "records in " + Quoted(window.saveTo) +
            (fromAside.ok()
                 ? ""
                 : " (which cannot be read either: " + SettingsFileProblem(fromAside) + ")"));
}

void SaveRecords(MainWindow& window) {
    if (window.saveTo.empty()) {
        return;
    }
    for (;;) {
        const std::function<bool()>& fullscreen = window.options.fullscreen;
        const SettingsFileResult saved =
            SaveSettings(window.game, window.saveTo,
                         fullscreen ? std::optional<bool>(fullscreen()) : std::nullopt);
        if (saved.ok()) {
            return;
        }
        const std::string problem = SettingsFileProblem(saved);
        const bool retry = window.ports->OfferToRetrySave(
            "Your records and settings could not be saved in\n" + window.saveTo.string() + "\n" +
                problem +
                ".\n\nMake room on the disk or make the folder writable, then choose Retry. "
                "Cancel ends the game without saving them.",
            "cannot save the settings file " + Quoted(window.saveTo) + ": " + problem);
        if (!retry) {
            return;
        }
    }
}
