#include "import/import_names.h"

#include "daedalus/parser.h"
#include "model/cp1252.h"

#include <algorithm>
#include <unordered_set>

namespace redewerk {
namespace {

// A name starts as the lexer's identifiers do: with a letter or "_".
bool CanStartName(char c) {
    return c == '_' || TParser::IsLetter(c);
}

} // namespace

void TNameIndex::Build(const TImpObjList& objects) {
    Index.clear();
    Index.reserve(objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        const int index = static_cast<int>(i);
        auto [it, inserted] = Index.emplace(UpperCase1252(objects[i].Name), index);
        // The old index list was sorted as text, so "10" comes before "2".
        if (!inserted && std::to_string(index) < std::to_string(it->second)) it->second = index;
    }
    Built = true;
}

void TNameIndex::Clear() {
    Index.clear();
    Built = false;
}

int TNameIndex::Find(std::string_view identifier) const {
    if (identifier.empty() || !CanStartName(identifier[0])) return -1;
    Key.assign(identifier);
    for (char& c : Key)
        c = UpperCase1252(c);
    auto it = Index.find(Key);
    return it == Index.end() ? -1 : it->second;
}

std::string FileNameOf(std::string_view path) {
    const size_t cut = path.find_last_of("\\/:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string FolderNameFromFile(std::string_view fileName) {
    std::string_view part = fileName;
    if (size_t underscore = part.rfind('_'); underscore != std::string_view::npos)
        part = part.substr(underscore + 1);
    const size_t dot = part.find('.');
    part = dot == std::string_view::npos ? std::string_view() : part.substr(0, dot);
    if (part.empty()) part = fileName;

    std::string name;
    for (char c : part) {
        // Spelled as the folders of imports always were: only ä keeps its small letter.
        switch (static_cast<unsigned char>(c)) {
        case 0xE4: // ä
            name += "ae";
            break;
        case 0xC4: // Ä
            name += "Ae";
            break;
        case 0xF6: // ö
        case 0xD6: // Ö
            name += "Oe";
            break;
        case 0xFC: // ü
        case 0xDC: // Ü
            name += "Ue";
            break;
        case 0xDF: // ß
            name += "ss";
            break;
        default:
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_') name += c;
        }
    }
    return name.empty() ? "DooferDateiname" : name;
}

std::vector<const TImpObj*> LaterDefinitions(const TImpObjList& objects) {
    std::vector<const TImpObj*> later;
    std::unordered_set<std::string_view> defined;
    defined.reserve(objects.size());
    for (const TImpObj& object : objects)
        if (!defined.insert(object.Name).second) later.push_back(&object);
    // In the order of the names without regard to letter case, each name's definitions in
    // list order.
    std::stable_sort(later.begin(), later.end(), [](const TImpObj* a, const TImpObj* b) {
        const std::string upperA = UpperCase1252(a->Name), upperB = UpperCase1252(b->Name);
        return upperA != upperB ? upperA < upperB : a->Name < b->Name;
    });
    return later;
}

std::vector<std::string> NodeNameCandidates(const std::string& name) {
    std::vector<std::string> candidates;
    for (size_t end = name.size();;) {
        const size_t underscore = end == 0 ? std::string::npos : name.rfind('_', end - 1);
        if (underscore == std::string::npos) break;
        std::string candidate = name.substr(underscore + 1);
        if (!candidate.empty() && candidate != "_" && candidate.front() != '_')
            candidates.push_back(std::move(candidate));
        end = underscore;
    }
    candidates.push_back(name);
    return candidates;
}

} // namespace redewerk
