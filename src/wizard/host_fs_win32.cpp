#include "wizard/host_fs.h"

namespace wizard {
namespace host {

std::string ToHost(const std::string& kit_path) { return kit_path; }

std::string FromHost(const std::string& host_path) { return host_path; }

}  // namespace host
}  // namespace wizard
