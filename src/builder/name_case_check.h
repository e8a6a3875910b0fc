#pragma once
// Entry names that differ only in ASCII letter case. The archive stores each
// file under its bare name, without its folders, and the device's file
// system ignores letter case, so two such files, in whatever sub-folders,
// would be one name to it: which one it takes is undefined.

#include <string>
#include <unordered_map>

namespace builder {

/// Notes the names of the files the scan packs, one by one. The same name
/// twice (two files of one name in different folders) is not a clash: it
/// gives two entries of that name, as it always has.
class NameCaseCheck {
 public:
  /// Notes `name` (Shift-JIS) of the file at `path` (as messages show it).
  /// Answers the path of an earlier file whose name differs from `name` only
  /// in ASCII letter case, or nullptr.
  const std::string* Add(const std::string& name, const std::string& path);

 private:
  struct First {
    std::string name, path;
  };
  std::unordered_map<std::string, First> first_;  // by the name with ASCII letters upper-cased
};

}  // namespace builder
