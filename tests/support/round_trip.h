#pragma once

#include "model/project.h"
#include "model/project_file.h"

#include <string>

namespace redewerk::testing {

// Saves the project, loads what was saved and saves that again. Returns what went wrong, or
// nothing when the file loads, the loaded project writes the same bytes and every node
// carries the element stored at its id. Used by the tests and the fuzzers alike.
inline std::string RoundTripProblem(const TProject& project) {
    std::string unstorable;
    const std::string saved = SerializeProject(project, &unstorable);
    if (!unstorable.empty()) return "unstorable text in " + unstorable;
    TProject loaded;
    TProjectFileError error;
    if (!ParseProject(saved, loaded, error))
        return "saved file does not load: " + error.Message + " in line " +
               std::to_string(error.Line);
    if (SerializeProject(loaded) != saved) return "loaded project saves differently";
    std::string problem;
    loaded.Tree.ForEachPreOrder([&](TNode* node) {
        const TElement* element = node->Element();
        if (problem.empty() && element &&
            (element->Node != node || loaded.Elements.LiveAt(element->Id) != element))
            problem = "node " + node->Path() + " and its element disagree";
    });
    return problem;
}

} // namespace redewerk::testing
