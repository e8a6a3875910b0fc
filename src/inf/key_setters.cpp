#include "inf/key_setters.h"

#include <iterator>
#include <string>

#include "base/sjis.h"
#include "inf/messages.h"
#include "inf/statement_context.h"
#include "inf/value_parsers.h"

namespace inf {

namespace {

struct AppKey {
  std::string_view name;
  OptionalText AppInformationRecord::*field;
  bool limited;  // at most kMaxNameValueBytes
};

// Version is read apart: it fills two numbers.
constexpr AppKey kAppKeys[] = {
    {"Maker", &AppInformationRecord::maker, true},
    {"Program", &AppInformationRecord::program, true},
    {"InstallDir", &AppInformationRecord::install_dir, false},
    {"ExeFile", &AppInformationRecord::exe_file, false},
    {"Uninstall", &AppInformationRecord::uninstall, false},
    {"Icon", &AppInformationRecord::icon, false},
    {"Caption", &AppInformationRecord::caption, false},
    {"Wave", &AppInformationRecord::wave, false},
    {"SoundBmp", &AppInformationRecord::sound_bmp, false},
    {"CommandLine", &AppInformationRecord::command_line, false},
    {"OpData", &AppInformationRecord::op_data, false},
    {"SettingDLL", &AppInformationRecord::setting_dll, false},
    {"Destination", &AppInformationRecord::destination, false},
    {"Unload", &AppInformationRecord::unload, false},
};

constexpr std::string_view kVersionKey = "Version";
constexpr std::string_view kUninstallKeys[] = {"Maker", "Program"};
constexpr std::string_view kExInstallKeys[] = {"Program", "TimeOut"};

void PrintAlreadySet(std::string_view key, const std::string& earlier, base::Console& console) {
  Say(console, base::Stream::kErr, InfMessage::kDuplicateKeyword);
  Say(console, base::Stream::kErr, InfMessage::kValueAlreadySet, std::string(key).c_str(),
                 earlier.c_str());
}

void PrintTooLong(std::string_view table_name, base::Console& console) {
  Say(console, base::Stream::kErr, InfMessage::kValueTooLong, std::string(table_name).c_str(),
                 static_cast<int>(kMaxNameValueBytes));
}

std::uint32_t SetVersion(AppInformationRecord* record, std::string_view value,
                         base::Console& console) {
  if (record->major_ver != 0) {
    PrintAlreadySet(kVersionKey, std::to_string(record->major_ver) + "." + std::to_string(record->minor_ver),
                    console);
    return 0x10;
  }
  std::string_view major = value;
  const std::size_t point = base::SjisFind(value, '.');
  if (point != std::string_view::npos) {
    if (std::uint32_t e = ParseDecimal(value.substr(point + 1), &record->minor_ver, console)) {
      return 0x20 + e;
    }
    major = value.substr(0, point);
  }
  if (std::uint32_t e = ParseDecimal(major, &record->major_ver, console)) return 0x30 + e;
  return 0;
}

}  // namespace

std::vector<std::string_view> SectionKeys(SectionKind kind) {
  switch (kind) {
    case SectionKind::kAppInformation: {
      std::vector<std::string_view> keys;
      for (const AppKey& row : kAppKeys) {
        keys.push_back(row.name);
        if (row.name == "Program") keys.push_back(kVersionKey);  // in the record's order
      }
      return keys;
    }
    case SectionKind::kUninstallInformation: return {std::begin(kUninstallKeys), std::end(kUninstallKeys)};
    case SectionKind::kExInstallInformation: return {std::begin(kExInstallKeys), std::end(kExInstallKeys)};
    default: return {};
  }
}

std::uint32_t SetAppInformationKey(AppInformationRecord* record, std::string_view key,
                                   std::string_view value, base::Console& console) {
  if (base::EqualsIgnoreAsciiCase(key, kVersionKey)) return SetVersion(record, value, console);
  for (const AppKey& row : kAppKeys) {
    if (!base::EqualsIgnoreAsciiCase(key, row.name)) continue;
    OptionalText& field = record->*row.field;
    if (field) {
      PrintAlreadySet(key, *field, console);
      return 0x40;
    }
    if (row.limited && value.size() > kMaxNameValueBytes) {
      PrintTooLong(row.name, console);
      return 0x50;
    }
    field = std::string(value);
    return 0;
  }
  PrintUndefinedKeyword(console, key);
  return 0x60;
}

std::uint32_t SetUninstallInformationKey(UninstallInformationRecord* record, std::string_view key,
                                         std::string_view value, base::Console& console) {
  OptionalText* field = nullptr;
  std::string_view table_name;
  if (base::EqualsIgnoreAsciiCase(key, kUninstallKeys[0])) {
    field = &record->maker;
    table_name = kUninstallKeys[0];
  } else if (base::EqualsIgnoreAsciiCase(key, kUninstallKeys[1])) {
    field = &record->program;
    table_name = kUninstallKeys[1];
  } else {
    PrintUndefinedKeyword(console, key);
    return 0x30;
  }
  if (*field) {
    PrintAlreadySet(key, **field, console);
    return 0x10;
  }
  if (value.size() > kMaxNameValueBytes) {
    PrintTooLong(table_name, console);
    return 0x20;
  }
  *field = std::string(value);
  return 0;
}

std::uint32_t SetExInstallInformationKey(ExInstallInformationRecord* record, std::string_view key,
                                         std::string_view value, base::Console& console) {
  if (base::EqualsIgnoreAsciiCase(key, kExInstallKeys[0])) {
    if (record->program) {
      PrintAlreadySet(kExInstallKeys[0], *record->program, console);
      return 0x10;
    }
    record->program = std::string(value);
    return 0;
  }
  if (base::EqualsIgnoreAsciiCase(key, kExInstallKeys[1])) {
    // A later TimeOut replaces an earlier one.
    if (std::uint32_t e = ParseDecimal(value, &record->time_out, console)) return 0x30 + e;
    return 0;
  }
  PrintUndefinedKeyword(console, key);
  return 0x30;
}

}  // namespace inf
