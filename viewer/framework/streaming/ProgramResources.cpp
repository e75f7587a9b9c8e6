#include "ProgramResources.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "core/Exceptions.h"
#include "core/SysUtils.h"

namespace {

constexpr uint32_t kRtRcData = 10;
// Sections that executable packers leave in place of the program's own.
constexpr const char* kPackerSections[] = {
    "UPX0", "UPX1", "UPX2",    ".MPRESS1", ".MPRESS2", ".aspack", ".adata",
    "PEC2", "pec1", ".petite", "FSG!",     ".nsp0",    ".packed"};

[[noreturn]] void Fail(size_t at, const std::string& what) {
  throw EInvalidImage(what + " at byte " + std::to_string(at));
}

// Little-endian reads that refuse to run past the file.
class Bytes {
 public:
  explicit Bytes(std::string_view data) : data_(data) {}
  size_t Size() const { return data_.size(); }
  bool Has(uint64_t at, uint64_t count) const { return at <= data_.size() && count <= data_.size() - at; }
  void Need(uint64_t at, uint64_t count, const char* what) const {
    if (!Has(at, count)) Fail(size_t(std::min<uint64_t>(at, data_.size())), std::string("Truncated ") + what);
  }
  uint16_t U16(uint64_t at, const char* what) const {
    Need(at, 2, what);
    return uint16_t(Byte(at) | Byte(at + 1) << 8);
  }
  uint32_t U32(uint64_t at, const char* what) const {
    Need(at, 4, what);
    return uint32_t(Byte(at)) | uint32_t(Byte(at + 1)) << 8 | uint32_t(Byte(at + 2)) << 16 |
           uint32_t(Byte(at + 3)) << 24;
  }
  std::string_view View(uint64_t at, uint64_t count) const { return data_.substr(size_t(at), size_t(count)); }

 private:
  uint8_t Byte(uint64_t at) const { return uint8_t(data_[size_t(at)]); }
  std::string_view data_;
};

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | c >> 6);
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | c >> 12);
    out += char(0x80 | (c >> 6 & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | c >> 18);
    out += char(0x80 | (c >> 12 & 0x3F));
    out += char(0x80 | (c >> 6 & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// UTF-16 code units at `at` (count of them) as UTF-8; unpaired surrogates
// become U+FFFD.
std::string Utf16ToUtf8(const Bytes& b, uint64_t at, uint64_t count) {
  std::string out;
  for (uint64_t i = 0; i < count; ++i) {
    uint32_t c = b.U16(at + 2 * i, "resource name");
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < count) {
      uint32_t low = b.U16(at + 2 * i + 2, "resource name");
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      } else {
        c = 0xFFFD;
      }
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

bool IsForm(std::string_view data) { return data.size() >= 4 && std::memcmp(data.data(), "TPF0", 4) == 0; }

void AddForm(std::vector<TProgramForm>& forms, std::string name, uint16_t language, std::string_view data) {
  if (!IsForm(data)) return;
  if (forms.size() >= kMaxProgramForms) Fail(0, "More than " + std::to_string(kMaxProgramForms) + " forms");
  TProgramForm form{std::move(name), language, data, {}, {}};
  ReadBinaryFormRoot(data, form.rootClass, form.rootName);
  forms.push_back(std::move(form));
}

// ---------------------------------------------------------------------------
// Programs

struct Section {
  std::string name;
  uint32_t virtualAddress = 0, virtualSize = 0, rawSize = 0, rawOffset = 0;
};

class ProgramWalk {
 public:
  explicit ProgramWalk(std::string_view file) : b_(file) {}

  std::vector<TProgramForm> Run() {
    ReadHeaders();
    if (resourceRva_ != 0 && resourceSize_ != 0) {
      root_ = FileOffset(resourceRva_, "the resource directory");
      // The directory's own offsets are relative to its start and stay
      // inside the section that holds it.
      rootEnd_ = root_ + std::min<uint64_t>(resourceSize_, SectionRest(resourceRva_));
      WalkTypes();
    }
    if (forms_.empty()) {
      for (const Section& s : sections_)
        for (const char* packer : kPackerSections)
          if (s.name == packer)
            throw EInvalidImage(
                "is packed by an executable packer (section " + s.name +
                "); its forms cannot be read until it is unpacked");
      throw EInvalidImage("holds no forms (no RT_RCDATA resource is a binary form)");
    }
    return std::move(forms_);
  }

 private:
  void ReadHeaders() {
    if (b_.Size() < 64 || b_.View(0, 2) != "MZ") Fail(0, "No MZ header");
    const uint64_t pe = b_.U32(0x3C, "MZ header");
    b_.Need(pe, 24, "PE header");
    if (b_.View(pe, 4) != std::string_view("PE\0\0", 4)) Fail(pe, "No PE signature");
    const uint16_t sectionCount = b_.U16(pe + 6, "PE header");
    const uint16_t optionalSize = b_.U16(pe + 20, "PE header");
    const uint64_t opt = pe + 24;
    const uint16_t magic = b_.U16(opt, "optional header");
    uint64_t countAt, dirs;
    if (magic == 0x10B) {
      countAt = opt + 92, dirs = opt + 96;
    } else if (magic == 0x20B) {
      countAt = opt + 108, dirs = opt + 112;
    } else {
      Fail(opt, "Unknown optional header kind");
    }
    if (countAt + 4 <= opt + optionalSize && b_.U32(countAt, "optional header") > 2 &&
        dirs + 3 * 8 <= opt + optionalSize) {
      resourceRva_ = b_.U32(dirs + 2 * 8, "data directories");
      resourceSize_ = b_.U32(dirs + 2 * 8 + 4, "data directories");
    }
    const uint64_t table = opt + optionalSize;
    b_.Need(table, uint64_t(sectionCount) * 40, "section table");
    for (uint16_t i = 0; i < sectionCount; ++i) {
      const uint64_t at = table + uint64_t(i) * 40;
      Section s;
      std::string_view name = b_.View(at, 8);
      s.name = std::string(name.substr(0, name.find('\0')));
      s.virtualSize = b_.U32(at + 8, "section table");
      s.virtualAddress = b_.U32(at + 12, "section table");
      s.rawSize = b_.U32(at + 16, "section table");
      s.rawOffset = b_.U32(at + 20, "section table");
      sections_.push_back(s);
    }
  }

  const Section* SectionOf(uint32_t rva) const {
    for (const Section& s : sections_)
      if (rva >= s.virtualAddress && rva - s.virtualAddress < s.rawSize) return &s;
    return nullptr;
  }
  // Bytes of the section's file data from rva to its end.
  uint64_t SectionRest(uint32_t rva) const {
    const Section* s = SectionOf(rva);
    return s ? s->rawSize - (rva - s->virtualAddress) : 0;
  }
  uint64_t FileOffset(uint32_t rva, const char* what) const {
    const Section* s = SectionOf(rva);
    if (!s) throw EInvalidImage(std::string(what) + " lies outside every section (RVA " + std::to_string(rva) + ")");
    const uint64_t at = uint64_t(s->rawOffset) + (rva - s->virtualAddress);
    if (at > b_.Size()) Fail(b_.Size(), std::string("Truncated ") + what);
    return at;
  }

  // A directory at `offset` from the resource directory's start: its entry
  // count and the file offset of its first entry.
  uint64_t Directory(uint32_t offset, uint32_t& count) {
    const uint64_t at = root_ + offset;
    if (at + 16 > rootEnd_ || at + 16 < at)
      Fail(size_t(std::min<uint64_t>(at, b_.Size())), "Resource directory out of bounds");
    if (!visited_.insert(offset).second) Fail(size_t(at), "Resource directory loops back");
    count = uint32_t(b_.U16(at + 12, "resource directory")) + b_.U16(at + 14, "resource directory");
    if (at + 16 + uint64_t(count) * 8 > rootEnd_) Fail(size_t(at), "Resource directory entries run past the directory");
    return at + 16;
  }

  // An entry's name: its string (UTF-16 with a length) or "#N".
  std::string EntryName(uint64_t entry) const {
    const uint32_t name = b_.U32(entry, "resource entry");
    if (!(name & 0x80000000u)) return "#" + std::to_string(name & 0xFFFF);
    const uint64_t at = root_ + (name & 0x7FFFFFFFu);
    if (at + 2 > rootEnd_) Fail(size_t(std::min<uint64_t>(at, b_.Size())), "Resource name out of bounds");
    const uint16_t length = b_.U16(at, "resource name");
    if (at + 2 + uint64_t(length) * 2 > rootEnd_) Fail(size_t(at), "Resource name runs past the directory");
    return Utf16ToUtf8(b_, at + 2, length);
  }

  // The subdirectory an entry points to; a data entry where a directory
  // belongs (or the reverse) is malformed.
  uint32_t SubDirectory(uint64_t entry) const {
    const uint32_t target = b_.U32(entry + 4, "resource entry");
    if (!(target & 0x80000000u)) Fail(size_t(entry), "Resource entry holds data where a directory belongs");
    return target & 0x7FFFFFFFu;
  }

  void WalkTypes() {
    uint32_t types;
    const uint64_t first = Directory(0, types);
    for (uint32_t t = 0; t < types; ++t) {
      const uint64_t entry = first + uint64_t(t) * 8;
      const uint32_t type = b_.U32(entry, "resource entry");
      if (type != kRtRcData) continue;
      uint32_t names;
      const uint64_t nameFirst = Directory(SubDirectory(entry), names);
      for (uint32_t n = 0; n < names; ++n) WalkLanguages(nameFirst + uint64_t(n) * 8);
    }
  }

  void WalkLanguages(uint64_t nameEntry) {
    const std::string name = EntryName(nameEntry);
    uint32_t languages;
    const uint64_t first = Directory(SubDirectory(nameEntry), languages);
    for (uint32_t l = 0; l < languages; ++l) {
      const uint64_t entry = first + uint64_t(l) * 8;
      const uint32_t target = b_.U32(entry + 4, "resource entry");
      if (target & 0x80000000u) Fail(size_t(entry), "Resource directory nested deeper than three levels");
      const uint64_t dataEntry = root_ + target;
      if (dataEntry + 16 > rootEnd_)
        Fail(size_t(std::min<uint64_t>(dataEntry, b_.Size())), "Resource data entry out of bounds");
      const uint32_t rva = b_.U32(dataEntry, "resource data entry");
      const uint32_t size = b_.U32(dataEntry + 4, "resource data entry");
      const uint64_t at = FileOffset(rva, "resource data");
      if (size > SectionRest(rva) || !b_.Has(at, size)) Fail(size_t(at), "Resource data runs past the file");
      AddForm(forms_, name, uint16_t(b_.U32(entry, "resource entry")), b_.View(at, size));
    }
  }

  Bytes b_;
  std::vector<Section> sections_;
  uint32_t resourceRva_ = 0, resourceSize_ = 0;
  uint64_t root_ = 0, rootEnd_ = 0;
  std::set<uint32_t> visited_;
  std::vector<TProgramForm> forms_;
};

// ---------------------------------------------------------------------------
// Resource files

// A type or name field: 0xFFFF and a 16-bit ID, or a NUL-terminated UTF-16
// string. Advances `at` past it.
std::string ResourceFileName(const Bytes& b, uint64_t& at, uint64_t end, uint32_t* id) {
  if (at + 2 > end) Fail(size_t(at), "Truncated resource header");
  if (b.U16(at, "resource header") == 0xFFFF) {
    if (at + 4 > end) Fail(size_t(at), "Truncated resource header");
    const uint16_t n = b.U16(at + 2, "resource header");
    at += 4;
    if (id) *id = n;
    return "#" + std::to_string(n);
  }
  uint64_t units = 0;
  while (true) {
    if (at + 2 * units + 2 > end) Fail(size_t(at), "Unterminated name in resource header");
    if (b.U16(at + 2 * units, "resource header") == 0) break;
    ++units;
  }
  std::string name = Utf16ToUtf8(b, at, units);
  at += 2 * units + 2;
  if (id) *id = 0xFFFFFFFFu;
  return name;
}

std::vector<TProgramForm> ReadResourceFile(std::string_view file) {
  Bytes b(file);
  std::vector<TProgramForm> forms;
  uint64_t at = 0;
  while (at < b.Size()) {
    const uint32_t dataSize = b.U32(at, "resource header");
    const uint32_t headerSize = b.U32(at + 4, "resource header");
    if (headerSize < 24) Fail(size_t(at), "Resource header too short");
    const uint64_t headerEnd = at + headerSize;
    if (!b.Has(at, headerSize)) Fail(size_t(at), "Truncated resource header");
    uint64_t p = at + 8;
    uint32_t type = 0;
    ResourceFileName(b, p, headerEnd, &type);
    std::string name = ResourceFileName(b, p, headerEnd, nullptr);
    p = (p + 3) & ~uint64_t(3);
    if (p + 16 > headerEnd) Fail(size_t(at), "Truncated resource header");
    const uint16_t language = b.U16(p + 6, "resource header");
    if (!b.Has(headerEnd, dataSize)) Fail(size_t(headerEnd), "Resource data runs past the file");
    if (type == kRtRcData) AddForm(forms, std::move(name), language, b.View(headerEnd, dataSize));
    at = (headerEnd + dataSize + 3) & ~uint64_t(3);
  }
  if (forms.empty()) throw EInvalidImage("holds no forms (no RT_RCDATA resource is a binary form)");
  return forms;
}

bool ShortStringAt(std::string_view s, size_t& at, std::string& out) {
  if (at >= s.size()) return false;
  const size_t n = uint8_t(s[at]);
  if (n > s.size() - at - 1) return false;
  out.assign(s.substr(at + 1, n));
  at += 1 + n;
  return true;
}

}  // namespace

TProgramKind DetectProgramKind(std::string_view file) {
  static constexpr unsigned char kResHead[] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
  if (file.size() >= 32 && std::memcmp(file.data(), kResHead, sizeof kResHead) == 0)
    return TProgramKind::pkResourceFile;
  Bytes b(file);
  if (file.size() < 64 || file.substr(0, 2) != "MZ") return TProgramKind::pkNone;
  const uint64_t pe = b.U32(0x3C, "MZ header");
  if (!b.Has(pe, 26) || b.View(pe, 4) != std::string_view("PE\0\0", 4)) return TProgramKind::pkNone;
  const uint16_t magic = b.U16(pe + 24, "optional header");
  if (magic == 0x10B) return TProgramKind::pkPE32;
  if (magic == 0x20B) return TProgramKind::pkPE32Plus;
  return TProgramKind::pkNone;
}

const char* ProgramKindName(TProgramKind kind) {
  switch (kind) {
    case TProgramKind::pkPE32: return "PE32";
    case TProgramKind::pkPE32Plus: return "PE32+";
    case TProgramKind::pkResourceFile: return "resource file";
    case TProgramKind::pkNone: break;
  }
  return "not a program";
}

std::vector<TProgramForm> ReadProgramForms(std::string_view file) {
  switch (DetectProgramKind(file)) {
    case TProgramKind::pkResourceFile: return ReadResourceFile(file);
    case TProgramKind::pkPE32:
    case TProgramKind::pkPE32Plus: return ProgramWalk(file).Run();
    case TProgramKind::pkNone: break;
  }
  throw EInvalidImage("is neither a Windows program (PE32/PE32+) nor a 32-bit resource file");
}

const TProgramForm& FindProgramForm(const std::vector<TProgramForm>& forms, std::string_view name) {
  for (const TProgramForm& f : forms)
    if (SameText(f.name, name)) return f;
  // A bare number names a numeric ID.
  if (!name.empty() && name.find_first_not_of("0123456789") == std::string_view::npos)
    for (const TProgramForm& f : forms)
      if (f.name.size() > 1 && f.name[0] == '#' && std::string_view(f.name).substr(1) == name) return f;
  std::string known;
  for (size_t i = 0; i < forms.size() && i < 20; ++i) known += (i ? ", " : "") + forms[i].name;
  if (forms.size() > 20) known += ", ...";
  throw EInvalidImage("holds no form named " + std::string(name) + " (forms: " + known + ")");
}

std::string FormFileBytes(const TProgramForm& form) {
  std::string out("\xFF\x0A\x00", 3);
  const std::string upper = UpperCase(form.name);
  const bool numeric =
      upper.size() > 1 && upper[0] == '#' && upper.find_first_not_of("0123456789", 1) == std::string::npos &&
      upper.size() <= 6 && std::stoul(upper.substr(1)) <= 0xFFFF;
  if (numeric || upper.empty() || uint8_t(upper[0]) == 0xFF || upper.find('\0') != std::string::npos) {
    // A numeric ID, or a name the header cannot hold as a string.
    const unsigned id = numeric ? unsigned(std::stoul(upper.substr(1))) : 1u;
    out += '\xFF';
    out += char(id & 0xFF);
    out += char(id >> 8);
  } else {
    out += upper;
    out += '\0';
  }
  out += "\x30\x10";
  const uint32_t size = uint32_t(form.data.size());
  for (int i = 0; i < 4; ++i) out += char(size >> (8 * i) & 0xFF);
  out.append(form.data);
  return out;
}

bool ReadBinaryFormRoot(std::string_view stream, std::string& className, std::string& name) {
  if (!IsForm(stream)) return false;
  size_t at = 4;
  if (at < stream.size() && (uint8_t(stream[at]) & 0xF0) == 0xF0) {
    const uint8_t flags = uint8_t(stream[at++]) & 0x0F;
    if (flags & 2) {  // a child position: a tagged integer
      if (at >= stream.size()) return false;
      const uint8_t tag = uint8_t(stream[at++]);
      const size_t width = tag == 2 ? 1 : tag == 3 ? 2 : tag == 4 ? 4 : 0;
      if (!width || width > stream.size() - at) return false;
      at += width;
    }
  }
  return ShortStringAt(stream, at, className) && !className.empty() && ShortStringAt(stream, at, name);
}
