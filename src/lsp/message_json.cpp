#include "lsp/message_json.h"

#include <string>
#include <utility>
#include <vector>

namespace lsp {
namespace {

using json = nlohmann::json;

// Builds the value from the parser's events as nlohmann's own builder does
// (a later duplicate key replaces the earlier one), taking each string and
// key from the parser's buffer.
class MovingBuilder {
 public:
  explicit MovingBuilder(json* root) : root_(root) {}

  bool null() { return Add(nullptr) != nullptr; }
  bool boolean(bool value) { return Add(value) != nullptr; }
  bool number_integer(json::number_integer_t value) { return Add(value) != nullptr; }
  bool number_unsigned(json::number_unsigned_t value) { return Add(value) != nullptr; }
  bool number_float(json::number_float_t value, const std::string&) { return Add(value) != nullptr; }
  bool string(std::string& value) { return Add(std::move(value)) != nullptr; }
  bool binary(json::binary_t& value) {  // never in JSON text; kept for the parser's interface
    return Add(json::binary(std::move(static_cast<json::binary_t::container_type&>(value)))) != nullptr;
  }
  bool start_object(std::size_t) {
    open_.push_back(Add(json::object()));
    return true;
  }
  bool key(std::string& name) {
    key_ = std::move(name);
    return true;
  }
  bool end_object() {
    open_.pop_back();
    return true;
  }
  bool start_array(std::size_t) {
    open_.push_back(Add(json::array()));
    return true;
  }
  bool end_array() {
    open_.pop_back();
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

 private:
  // Puts `value` where the parser is: the root, the next element of the
  // open array, or the member of the last key in the open object. The
  // place stays valid while values are added inside it.
  json* Add(json value) {
    if (open_.empty()) {
      *root_ = std::move(value);
      return root_;
    }
    json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(std::move(value));
      return &parent.back();
    }
    json& member = parent[key_];
    member = std::move(value);
    return &member;
  }

  json* root_;
  std::vector<json*> open_;  // the objects and arrays being filled, innermost last
  std::string key_;
};

}  // namespace

bool ParseMessage(MessageBody body, json* value) {
  MovingBuilder builder(value);
  if (json::sax_parse(body.begin(), body.end(), &builder)) return true;
  *value = json(json::value_t::discarded);
  return false;
}

}  // namespace lsp
