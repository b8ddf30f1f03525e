#pragma once

#include "import/import_records.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace redewerk {

// Finds an imported object by name without regard to letter case. Built once per run, after
// all files are read. Of several objects whose names are equal without case, the one whose
// array index sorts first as decimal text wins (index 10 before index 2), as the importer
// always did.
class TNameIndex {
public:
    bool IsBuilt() const { return Built; }
    void Build(const TImpObjList& objects);
    void Clear();
    // The array index of the object, or -1. An identifier that cannot start a name (a digit,
    // "#", an operator) is never found.
    int Find(std::string_view identifier) const;

private:
    std::unordered_map<std::string, int> Index;
    bool Built = false;
    mutable std::string Key; // reused for every lookup, which happens once per token
};

// The text after the last backslash, slash or colon of a path.
std::string FileNameOf(std::string_view path);

// The folder name that the objects of a script file get: the part after the last "_" and
// before the first ".", umlauts spelled out, only ASCII letters and "_" kept;
// "DooferDateiname" when nothing is left.
std::string FolderNameFromFile(std::string_view fileName);

// The objects whose names an earlier object (in list order) has already defined, sorted by
// name without regard to letter case. Names that differ only in letter case are not
// duplicates.
std::vector<const TImpObj*> LaterDefinitions(const TImpObjList& objects);

// The candidates for a node name of a dialog or option, shortest first: for DIA_Guard_Hello
// they are "Hello", "Guard_Hello", "DIA_Guard_Hello". Empty candidates are left out; the
// last one is always the whole name.
std::vector<std::string> NodeNameCandidates(const std::string& name);

} // namespace redewerk
