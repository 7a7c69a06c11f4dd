// Error construction, standard descriptions and the location trail.
#include "ui_shared/platform/error.h"

#include <new>
#include <stdexcept>
#include <vector>

namespace kw {

std::string_view StandardDescription(int32_t number) {
  switch (number) {
    case err::kInvalidCall: return "Invalid procedure call or argument";
    case err::kOverflow: return "Overflow";
    case err::kOutOfMemory: return "Out of memory";
    case err::kSubscript: return "Subscript out of range";
    case err::kDivisionByZero: return "Division by zero";
    case err::kTypeMismatch: return "Type mismatch";
    case err::kFileNotFound: return "File not found";
    case err::kObjectNotSet: return "Object variable not set";
    case err::kInvalidNull: return "Invalid use of Null";
    case err::kReadOnly: return "Can't assign to read-only property";
    case err::kArgumentNotOptional: return "Argument not optional";
    case err::kWriteOnly: return "Property can't be read";
    case err::kObjectRequired: return "Object required";
    case err::kCannotCreate: return "Component can't create object";
    case err::kNoSuchMember: return "Object doesn't support this property or method";
    case err::kDuplicateKey: return "This key is already associated with an element of this collection";
    case err::kKeyNotUnique: return "Key is not unique in collection";
    case err::kColorCancel: return "Cancel was selected";
    default: return "";
  }
}

Error::Error(int32_t number, std::string source, std::string description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {}

Error Error::WithPrefix(std::string_view prefix) const {
  std::string text;
  text.reserve(prefix.size() + description_.size());
  text.append(prefix).append(description_);
  return Error(number_, source_, std::move(text));
}

void Raise(int32_t number) { throw Error(number, "", std::string(StandardDescription(number))); }

void Raise(int32_t number, std::string source, std::string description) {
  throw Error(number, std::move(source), std::move(description));
}

std::string ErrorReport(const Error& error) {
  std::vector<std::string_view> lines;
  std::string_view rest = error.Description();
  for (size_t end; (end = rest.find("\r\n")) != std::string_view::npos; rest.remove_prefix(end + 2))
    lines.push_back(rest.substr(0, end));
  std::string report = "error " + std::to_string(error.Number()) + " from " +
                       (error.Source().empty() ? std::string("the program") : error.Source()) + ": " +
                       std::string(rest) + "\n";
  for (size_t i = lines.size(); i-- > 0;) report.append("  in ").append(lines[i]).append("\n");
  return report;
}

Error CurrentError() {
  try {
    throw;
  } catch (const Error& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return Error(err::kOutOfMemory, "", std::string(StandardDescription(err::kOutOfMemory)));
  } catch (const std::out_of_range& e) {
    return Error(err::kSubscript, "", e.what());
  } catch (const std::overflow_error& e) {
    return Error(err::kOverflow, "", e.what());
  } catch (const std::exception& e) {
    return Error(err::kInvalidCall, "", e.what());
  } catch (...) {
    return Error(err::kInvalidCall, "", std::string(StandardDescription(err::kInvalidCall)));
  }
}

namespace detail {

void RethrowWithLocation(std::string_view cls, std::string_view member, Line line) {
  Error e = CurrentError();
  std::string prefix;
  prefix.append(cls).append(".").append(member).append(":").append(std::to_string(line)).append("\r\n");
  if (e.Source().empty()) {
    const auto dot = cls.find('.');
    e = Error(e.Number(), std::string(cls.substr(0, dot)), e.Description());
  }
  throw e.WithPrefix(prefix);
}

}  // namespace detail
}  // namespace kw
