#include "builder/name_case_check.h"

#include "base/sjis.h"

namespace builder {

const std::string* NameCaseCheck::Add(const std::string& name, const std::string& path) {
  std::string key = name;
  base::SjisUpperAscii(key);
  auto [it, added] = first_.try_emplace(std::move(key), First{name, path});
  if (added || it->second.name == name) return nullptr;
  return &it->second.path;
}

}  // namespace builder
