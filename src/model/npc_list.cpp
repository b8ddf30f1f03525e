#include "model/npc_list.h"

#include "model/prompter.h"
#include "model/storable_text.h"

#include <algorithm>

namespace redewerk {
namespace {

// Index of the first entry equal to `name`, or -1.
int IndexOf(const std::vector<std::string>& names, const std::string& name) {
    auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

} // namespace

std::string TNpcList::InstanceNameOf(const std::string& clearName, TPrompter& prompter) {
    if (clearName.empty()) return {};
    int index = IndexOf(ClearNames, clearName);
    if (index >= 0) return InstanceNames[static_cast<size_t>(index)];
    std::string answer = StorableField(prompter.AskText("Instanzname von " + clearName, clearName),
                                       kNameReplacement);
    Add(clearName, answer);
    return answer;
}

std::string TNpcList::ClearNameOf(const std::string& instanceName, TPrompter& prompter) {
    if (instanceName.empty()) return {};
    int index = IndexOf(InstanceNames, instanceName);
    if (index >= 0) return ClearNames[static_cast<size_t>(index)];
    size_t underscore = instanceName.rfind('_');
    std::string candidate =
        underscore == std::string::npos ? instanceName : instanceName.substr(underscore + 1);
    if (candidate.size() < 3) {
        std::string answer = StorableField(
            prompter.AskText("Klarname von " + instanceName, instanceName), kNameReplacement);
        Add(answer, instanceName);
        return answer;
    }
    if (IndexOf(ClearNames, candidate) >= 0) {
        Add(instanceName, instanceName);
        return instanceName;
    }
    Add(candidate, instanceName);
    return candidate;
}

void TNpcList::Add(std::string clearName, std::string instanceName) {
    ClearNames.push_back(std::move(clearName));
    InstanceNames.push_back(std::move(instanceName));
}

TLines TNpcList::AsLines() const {
    TLines lines;
    lines.reserve(ClearNames.size());
    for (size_t i = 0; i < ClearNames.size(); ++i)
        lines.push_back(ClearNames[i] + "=" + InstanceNames[i]);
    return lines;
}

bool TNpcList::RebuildFromLines(const TLines& lines, TPrompter& prompter) {
    Clear();
    bool complete = true;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        const size_t separator = line.find('=');
        if (separator == std::string::npos) {
            prompter.ShowMessage("NpcListe: In jeder Zeile muss: = enthalten sein.");
            complete = false;
            continue;
        }
        Add(StorableField(line.substr(0, separator), kNameReplacement),
            StorableField(line.substr(separator + 1), kNameReplacement));
    }
    return complete;
}

void TNpcList::Clear() {
    ClearNames.clear();
    InstanceNames.clear();
}

} // namespace redewerk
