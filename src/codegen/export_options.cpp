#include "codegen/export_options.h"

#include "model/names.h"

namespace redewerk {

std::string CheckProjectName(std::string_view projectName) {
    if (projectName.empty()) return "Bitte einen Projektnamen angeben.";
    if (HasSpecialChars(projectName)) return "Sonderzeichen sind im Projektnamen nicht erlaubt!";
    return {};
}

TPickedExportTarget DeriveExportTarget(std::string_view pickedFile) {
    TPickedExportTarget target;
    size_t split = pickedFile.find_last_of("\\/");
    std::string_view name = pickedFile;
    if (split != std::string_view::npos) {
        target.Folder = pickedFile.substr(0, split + 1);
        name = pickedFile.substr(split + 1);
    }
    // "DLX_" too: the combined file is as much an earlier export as the others.
    for (std::string_view prefix : {"VAR_", "DIA_", "EVT_", "DLX_"}) {
        if (name.starts_with(prefix)) {
            name.remove_prefix(prefix.size());
            break;
        }
    }
    if (name.starts_with("NPCS_")) name.remove_prefix(5);
    if (name.ends_with(".d") || name.ends_with(".D")) name.remove_suffix(2);
    target.ProjectName = name;
    return target;
}

} // namespace redewerk
