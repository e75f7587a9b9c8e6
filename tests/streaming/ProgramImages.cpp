#include "ProgramImages.h"

#include <map>

namespace {

void Put16(std::string& s, size_t at, uint32_t v) {
  s[at] = char(v & 0xFF);
  s[at + 1] = char(v >> 8 & 0xFF);
}
void Put32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + size_t(i)] = char(v >> (8 * i) & 0xFF);
}
void Append16(std::string& s, uint32_t v) {
  s.resize(s.size() + 2);
  Put16(s, s.size() - 2, v);
}
void Append32(std::string& s, uint32_t v) {
  s.resize(s.size() + 4);
  Put32(s, s.size() - 4, v);
}
void Align(std::string& s, size_t to) { s.resize((s.size() + to - 1) / to * to, '\0'); }

// The key a resource is sorted under: named entries first, then IDs.
struct NameKey {
  std::u16string name;
  uint16_t id;
  bool operator<(const NameKey& o) const {
    if (name.empty() != o.name.empty()) return !name.empty();
    return name != o.name ? name < o.name : id < o.id;
  }
};

}  // namespace

std::string TestFormStream(const std::string& className, const std::string& name) {
  std::string s = "TPF0";
  s += char(className.size()) + className;
  s += char(name.size()) + name;
  s += std::string("\0\0", 2);  // no properties, no children
  return s;
}

std::string TestResourceSection(const std::vector<TestResource>& resources, uint32_t rva) {
  // type -> name -> language -> index into resources
  std::map<uint32_t, std::map<NameKey, std::map<uint16_t, size_t>>> tree;
  for (size_t i = 0; i < resources.size(); ++i) {
    const TestResource& r = resources[i];
    tree[r.type][NameKey{r.name, r.id}][r.language] = i;
  }
  // First pass: where every piece goes.
  uint32_t at = 16 + 8 * uint32_t(tree.size());
  std::map<uint32_t, uint32_t> typeDir;
  std::map<std::pair<uint32_t, NameKey>, uint32_t> nameDir;
  for (auto& [type, names] : tree) {
    typeDir[type] = at;
    at += 16 + 8 * uint32_t(names.size());
  }
  for (auto& [type, names] : tree)
    for (auto& [key, languages] : names) {
      nameDir[{type, key}] = at;
      at += 16 + 8 * uint32_t(languages.size());
    }
  std::vector<uint32_t> dataEntry(resources.size());
  for (size_t i = 0; i < resources.size(); ++i, at += 16) dataEntry[i] = at;
  std::map<std::u16string, uint32_t> strings;
  for (const TestResource& r : resources)
    if (!r.name.empty() && !strings.count(r.name)) {
      strings[r.name] = at;
      at += 2 + 2 * uint32_t(r.name.size());
    }
  std::string s(at, '\0');
  auto directory = [&s](uint32_t offset, size_t named, size_t ids) {
    Put16(s, offset + 12, uint32_t(named));
    Put16(s, offset + 14, uint32_t(ids));
  };
  // Second pass: the directories.
  directory(0, 0, tree.size());
  uint32_t entry = 16;
  for (auto& [type, names] : tree) {
    Put32(s, entry, type);
    Put32(s, entry + 4, 0x80000000u | typeDir[type]);
    entry += 8;
    size_t named = 0;
    for (auto& [key, languages] : names) named += !key.name.empty();
    directory(typeDir[type], named, names.size() - named);
    uint32_t nameEntry = typeDir[type] + 16;
    for (auto& [key, languages] : names) {
      Put32(s, nameEntry, key.name.empty() ? key.id : 0x80000000u | strings[key.name]);
      const uint32_t langDir = nameDir[{type, key}];
      Put32(s, nameEntry + 4, 0x80000000u | langDir);
      nameEntry += 8;
      directory(langDir, 0, languages.size());
      uint32_t langEntry = langDir + 16;
      for (auto& [language, index] : languages) {
        Put32(s, langEntry, language);
        Put32(s, langEntry + 4, dataEntry[index]);
        langEntry += 8;
      }
    }
  }
  for (auto& [name, offset] : strings) {
    Put16(s, offset, uint32_t(name.size()));
    for (size_t i = 0; i < name.size(); ++i) Put16(s, offset + 2 + 2 * i, name[i]);
  }
  for (size_t i = 0; i < resources.size(); ++i) {
    Align(s, 4);
    Put32(s, dataEntry[i], rva + uint32_t(s.size()));
    Put32(s, dataEntry[i] + 4, uint32_t(resources[i].data.size()));
    s += resources[i].data;
  }
  Align(s, 4);
  return s;
}

std::string TestProgram(const std::vector<TestResource>& resources, const TestProgramOptions& options) {
  const std::string section = options.withResources ? TestResourceSection(resources, kTestResourceRva) : "";
  const uint32_t optionalSize = options.pe64 ? 240 : 224;
  std::string f(kTestResourceOffset, '\0');
  f[0] = 'M', f[1] = 'Z';
  Put32(f, 0x3C, 0x80);
  const size_t pe = 0x80;
  f.replace(pe, 4, std::string("PE\0\0", 4));
  const size_t sectionCount = options.extraSections.size() + 1;
  Put16(f, pe + 4, options.pe64 ? 0x8664 : 0x14C);
  Put16(f, pe + 6, uint32_t(sectionCount));
  Put16(f, pe + 20, optionalSize);
  Put16(f, pe + 22, options.pe64 ? 0x22 : 0x102);
  const size_t opt = pe + 24;
  Put16(f, opt, options.pe64 ? 0x20B : 0x10B);
  Put32(f, opt + 32, 0x1000);  // section alignment
  Put32(f, opt + 36, 0x200);   // file alignment
  Put16(f, opt + 40, 4);       // operating system version
  Put16(f, opt + 48, 4);       // subsystem version
  Put32(f, opt + 56, kTestResourceRva + 0x1000 * uint32_t((section.size() + 0xFFF) / 0x1000 + 1));
  Put32(f, opt + 60, kTestResourceOffset);
  Put16(f, opt + 68, 2);  // GUI
  if (options.pe64) {
    f.replace(opt + 24, 8, std::string("\0\0\x40\0\0\0\0\0", 8));
  } else {
    Put32(f, opt + 28, 0x400000);
  }
  const size_t countAt = opt + (options.pe64 ? 108 : 92), dirs = opt + (options.pe64 ? 112 : 96);
  Put32(f, countAt, 16);
  if (options.withResources) {
    Put32(f, dirs + 16, kTestResourceRva);
    Put32(f, dirs + 20, uint32_t(section.size()));
  }
  size_t header = opt + optionalSize;
  uint32_t rva = 0x1000;
  for (const std::string& name : options.extraSections) {
    f.replace(header, name.size(), name);
    Put32(f, header + 8, 0x800);
    Put32(f, header + 12, rva);
    Put32(f, header + 36, 0xE0000080u);
    header += 40;
    rva += 0x1000;
  }
  f.replace(header, options.resourceSectionName.size(), options.resourceSectionName);
  Put32(f, header + 8, uint32_t(section.size()));
  Put32(f, header + 12, kTestResourceRva);
  Put32(f, header + 16, uint32_t(section.size()));
  Put32(f, header + 20, kTestResourceOffset);
  Put32(f, header + 36, 0x40000040u);
  return f + section;
}

std::string TestResourceFile(const std::vector<TestResource>& resources) {
  std::string f(32, '\0');
  Put32(f, 4, 32);
  Put32(f, 8, 0xFFFF);
  Put32(f, 12, 0xFFFF);
  for (const TestResource& r : resources) {
    std::string h;
    Append16(h, 0xFFFF);
    Append16(h, r.type);
    if (r.name.empty()) {
      Append16(h, 0xFFFF);
      Append16(h, r.id);
    } else {
      for (char16_t c : r.name) Append16(h, c);
      Append16(h, 0);
    }
    Align(h, 4);
    Append32(h, 0);     // data version
    Append16(h, 0x30);  // memory flags
    Append16(h, r.language);
    Append32(h, 0);  // version
    Append32(h, 0);  // characteristics
    Append32(f, uint32_t(r.data.size()));
    Append32(f, uint32_t(h.size() + 8));
    f += h + r.data;
    Align(f, 4);
  }
  return f;
}
