// The resource walk over programs and resource files built here, byte by
// byte: listings, names and languages, and damaged layouts.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "ProgramImages.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/Converters.h"
#include "streaming/FormSource.h"
#include "streaming/ProgramResources.h"

namespace {

namespace fs = std::filesystem;

std::vector<TestResource> TwoForms() {
  return {
      {10, u"TMAINFORM", 0, 0x0409, TestFormStream("TMainForm", "MainForm")},
      {10, u"TABOUTBOX", 0, 0x0409, TestFormStream("TAboutBox", "AboutBox")},
      {10, u"PACKAGEINFO", 0, 0, std::string("\0\0\0\0\x01\x02", 6)},  // RCDATA that is no form
      {3, {}, 1, 0x0409, std::string(40, 'i')},                        // an icon
  };
}

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const EInvalidImage& e) {
    return e.what();
  }
  return "(no exception)";
}

class ProgramForms : public testing::TestWithParam<bool> {};

TEST_P(ProgramForms, ListsEveryFormWithNameLanguageAndRoot) {
  TestProgramOptions options;
  options.pe64 = GetParam();
  const std::string program = TestProgram(TwoForms(), options);
  EXPECT_EQ(DetectProgramKind(program), GetParam() ? TProgramKind::pkPE32Plus : TProgramKind::pkPE32);
  const std::vector<TProgramForm> forms = ReadProgramForms(program);
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].name, "TABOUTBOX");  // named entries sort by name
  EXPECT_EQ(forms[0].rootClass, "TAboutBox");
  EXPECT_EQ(forms[0].rootName, "AboutBox");
  EXPECT_EQ(forms[1].name, "TMAINFORM");
  EXPECT_EQ(forms[1].language, 0x0409);
  EXPECT_EQ(forms[1].data, TestFormStream("TMainForm", "MainForm"));
}

TEST_P(ProgramForms, NumericIdsOddNamesAndLanguagesAreKept) {
  TestProgramOptions options;
  options.pe64 = GetParam();
  const std::string program = TestProgram(
      {
          {10, {}, 4711, 0, TestFormStream("TNumbered", "Numbered")},
          {10, u"F\u00D6RM/1 \U0001F600", 0, 0x0407, TestFormStream("TOdd", "Odd")},
          {10, u"TSAME", 0, 0x0407, TestFormStream("TSame", "German")},
          {10, u"TSAME", 0, 0x0409, TestFormStream("TSame", "English")},
      },
      options);
  const std::vector<TProgramForm> forms = ReadProgramForms(program);
  ASSERT_EQ(forms.size(), 4u);
  EXPECT_EQ(forms[0].name, "F\xC3\x96RM/1 \xF0\x9F\x98\x80");
  EXPECT_EQ(forms[1].name, "TSAME");
  EXPECT_EQ(forms[1].rootName, "German");
  EXPECT_EQ(forms[2].language, 0x0409);
  EXPECT_EQ(forms[3].name, "#4711");
  EXPECT_EQ(FindProgramForm(forms, "tsame").rootName, "German");  // the first language
  EXPECT_EQ(FindProgramForm(forms, "4711").rootClass, "TNumbered");
  EXPECT_EQ(FindProgramForm(forms, "#4711").rootClass, "TNumbered");
  EXPECT_NE(
      Message([&] { FindProgramForm(forms, "TMISSING"); }).find("no form named TMISSING (forms: F"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, ProgramForms, testing::Bool());

TEST(ProgramForms, ResourceFilesListTheirFormsInFileOrder) {
  const std::string res = TestResourceFile({
      {10, u"TMAINFORM", 0, 0x0409, TestFormStream("TMainForm", "MainForm")},
      {3, {}, 1, 0, std::string(10, 'x')},
      {10, {}, 7, 0x0411, TestFormStream("TSeven", "Seven")},
      {10, u"NOTAFORM", 0, 0, "plain data"},
  });
  EXPECT_EQ(DetectProgramKind(res), TProgramKind::pkResourceFile);
  const std::vector<TProgramForm> forms = ReadProgramForms(res);
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].name, "TMAINFORM");
  EXPECT_EQ(forms[1].name, "#7");
  EXPECT_EQ(forms[1].language, 0x0411);
  EXPECT_EQ(forms[1].rootClass, "TSeven");
}

TEST(ProgramForms, AFormReadsAsABinaryFormFile) {
  // The forms point into the program's bytes, which must outlive them.
  const std::string program = TestProgram(TwoForms());
  const std::vector<TProgramForm> forms = ReadProgramForms(program);
  TMemoryStream in, out;
  const std::string bytes = FormFileBytes(forms[1]);
  in.WriteBuffer(bytes.data(), bytes.size());
  in.SetPosition(0);
  ObjectResourceToText(in, out);
  EXPECT_EQ(
      std::string(static_cast<const char*>(out.Memory()), size_t(out.Size())), "object MainForm: TMainForm\r\nend\r\n");
  // A numeric ID goes into the header as an ordinal.
  TProgramForm numbered{"#300", 0, forms[0].data, {}, {}};
  EXPECT_EQ(FormFileBytes(numbered).substr(0, 6), std::string("\xFF\x0A\x00\xFF\x2C\x01", 6));
}

// ---------------------------------------------------------------------------
// Damaged and unusual files get a message, never a crash.

TEST(ProgramFormsRefuse, EveryTruncationOfAProgram) {
  const std::string program = TestProgram(TwoForms());
  for (size_t n = 0; n < program.size(); n += 7) {
    const std::string cut = program.substr(0, n);
    try {
      const auto forms = ReadProgramForms(cut);
      for (const auto& f : forms) EXPECT_LE(f.data.data() + f.data.size(), cut.data() + cut.size());
    } catch (const EInvalidImage&) {}
  }
  EXPECT_NE(
      Message([&] { ReadProgramForms(program.substr(0, program.size() - 50)); }).find("at byte"), std::string::npos);
}

TEST(ProgramFormsRefuse, EveryTruncationOfAResourceFile) {
  const std::string res = TestResourceFile(TwoForms());
  for (size_t n = 32; n < res.size(); ++n) {
    try {
      ReadProgramForms(res.substr(0, n));
    } catch (const EInvalidImage&) {}
  }
  EXPECT_NE(
      Message([&] { ReadProgramForms(res.substr(0, res.size() - 4)); }).find("runs past the file"), std::string::npos);
}

TEST(ProgramFormsRefuse, ADirectoryThatLoopsBack) {
  std::string program = TestProgram(TwoForms());
  // The RT_RCDATA type entry (the second of the root's two) points at the
  // name directory; make the name directory's first entry point at the root.
  const size_t root = kTestResourceOffset;
  const uint32_t nameDir =
      uint32_t(uint8_t(program[root + 16 + 8 + 4])) | uint32_t(uint8_t(program[root + 16 + 8 + 5])) << 8;
  program[root + nameDir + 16 + 4] = 0;
  program[root + nameDir + 16 + 5] = 0;
  program[root + nameDir + 16 + 6] = 0;
  program[root + nameDir + 16 + 7] = char(0x80);
  EXPECT_NE(Message([&] { ReadProgramForms(program); }).find("loops back"), std::string::npos);
  // Pointing at itself is a loop too.
  program[root + nameDir + 16 + 4] = char(nameDir & 0xFF);
  program[root + nameDir + 16 + 5] = char(nameDir >> 8);
  EXPECT_NE(Message([&] { ReadProgramForms(program); }).find("loops back"), std::string::npos);
}

TEST(ProgramFormsRefuse, EntryCountsBeyondTheDirectory) {
  std::string program = TestProgram(TwoForms());
  program[kTestResourceOffset + 14] = char(0xFF);
  program[kTestResourceOffset + 15] = char(0xFF);
  EXPECT_NE(Message([&] { ReadProgramForms(program); }).find("entries run past"), std::string::npos);
}

TEST(ProgramFormsRefuse, PackedProgramsAndProgramsWithoutForms) {
  TestProgramOptions packed;
  packed.extraSections = {"UPX0", "UPX1"};
  packed.resourceSectionName = ".rsrc";
  EXPECT_NE(
      Message([&] {
        ReadProgramForms(TestProgram({{3, {}, 1, 0, "icon"}}, packed));
      }).find("is packed by an executable packer (section UPX0)"),
      std::string::npos);
  TestProgramOptions bare;
  bare.withResources = false;
  EXPECT_NE(Message([&] { ReadProgramForms(TestProgram({}, bare)); }).find("holds no forms"), std::string::npos);
  EXPECT_NE(
      Message([&] { ReadProgramForms("MZ but nothing else"); }).find("neither a Windows program"), std::string::npos);
  // A packed program that still shows its forms lists them.
  EXPECT_EQ(ReadProgramForms(TestProgram(TwoForms(), packed)).size(), 2u);
}

TEST(ProgramFormsRefuse, DataOutsideEverySection) {
  std::string program = TestProgram(TwoForms());
  const std::string section = TestResourceSection(TwoForms(), kTestResourceRva);
  // The first value in the section that is an RVA inside it is the first
  // data entry's: directory offsets carry the high bit, IDs are small.
  for (size_t at = kTestResourceOffset; at + 8 <= program.size(); at += 4) {
    const uint32_t rva =
        uint32_t(uint8_t(program[at])) | uint32_t(uint8_t(program[at + 1])) << 8 |
        uint32_t(uint8_t(program[at + 2])) << 16 | uint32_t(uint8_t(program[at + 3])) << 24;
    if (rva > kTestResourceRva && rva < kTestResourceRva + section.size()) {
      program[at + 3] = 0x7F;  // far beyond the image
      break;
    }
  }
  EXPECT_NE(Message([&] { ReadProgramForms(program); }).find("outside every section"), std::string::npos);
}

// ---------------------------------------------------------------------------
// PROGRAM:NAME arguments

class FormArguments : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tessaly-forms-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    Write("app.exe", TestProgram(TwoForms()));
    Write("one.res", TestResourceFile({{10, u"TONLY", 0, 0, TestFormStream("TOnly", "Only")}}));
    Write("odd:name.dfm", "object A: TForm\nend\n");
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(FormArguments, ANamedFormInsideAProgramReadsAsAFormFile) {
  const TFormArgument arg = SplitFormArgument(Path("app.exe") + ":tmainform");
  EXPECT_EQ(arg.file, Path("app.exe"));
  EXPECT_EQ(arg.formName, "tmainform");
  const std::string bytes = ReadFormSource(Path("app.exe") + ":tmainform");
  EXPECT_EQ(bytes.substr(0, 13), std::string("\xFF\x0A\x00TMAINFORM\0", 13));
  // A resource file with one form needs no name.
  EXPECT_NE(ReadFormSource(Path("one.res")).find("TOnly"), std::string::npos);
}

TEST_F(FormArguments, AnExistingFileWithAColonIsThatFile) {
  EXPECT_EQ(SplitFormArgument(Path("odd:name.dfm")).formName, "");
  EXPECT_EQ(ReadFormSource(Path("odd:name.dfm")), "object A: TForm\nend\n");
}

TEST_F(FormArguments, AProgramWithSeveralFormsNeedsAName) {
  std::string message;
  try {
    ReadFormSource(Path("app.exe"));
  } catch (const EInvalidImage& e) {
    message = e.what();
  }
  EXPECT_NE(
      message.find("holds 2 forms; name one as " + Path("app.exe") + ":NAME (TABOUTBOX, TMAINFORM)"), std::string::npos)
      << message;
  EXPECT_THROW(ReadFormSource(Path("app.exe") + ":NOSUCH"), EInvalidImage);
  EXPECT_THROW(ReadFormSource(Path("missing.exe") + ":TMAINFORM"), EFOpenError);
}

TEST(FormFileNames, NamesFromFormsNeverLeaveTheirFolder) {
  EXPECT_EQ(SafeFileName("../../etc/passwd"), "_.._.._etc_passwd");
  EXPECT_EQ(SafeFileName(".."), "_..");
  EXPECT_EQ(SafeFileName("."), "_.");
  EXPECT_EQ(SafeFileName(""), "_");
  EXPECT_EQ(SafeFileName("a\\b:c*d?\"e<f>g|h\x01"), "a_b_c_d__e_f_g_h_");
  EXPECT_EQ(SafeFileName("F\xC3\x96RM #1"), "F\xC3\x96RM #1");
  EXPECT_EQ(SafeFileName(std::string(300, 'x')).size(), 180u);
}

// ---------------------------------------------------------------------------
// An independent reader agrees with the walk.

TEST_F(FormArguments, ListingMatchesPefile) {
  // Debian's python3-pefile belongs to the system's interpreter, which may
  // not be the first python3 on the path.
  std::string python;
  for (const char* candidate : {"python3", "/usr/bin/python3"}) {
    if (std::system((std::string(candidate) + " -c 'import pefile' 2>/dev/null").c_str()) == 0) {
      python = candidate;
      break;
    }
  }
  if (python.empty()) GTEST_SKIP() << "python3-pefile is not installed (scripts/install-deps.sh installs it)";
  for (bool pe64 : {false, true}) {
    TestProgramOptions options;
    options.pe64 = pe64;
    Write(
        "cross.exe",
        TestProgram(
            {
                {10, u"TMAINFORM", 0, 0x0409, TestFormStream("TMainForm", "MainForm")},
                {10, u"T\u00C4BOUT", 0, 0x0407, TestFormStream("TAbout", "About")},
                {10, {}, 12, 0, TestFormStream("TTwelve", "Twelve")},
                {10, u"PLAIN", 0, 0, "not a form"},
            },
            options));
    const std::string script = Path("list.py");
    Write(
        "list.py",
        "import sys, pefile\n"
        "pe = pefile.PE(sys.argv[1])\n"
        "for t in pe.DIRECTORY_ENTRY_RESOURCE.entries:\n"
        "  if t.id != 10: continue\n"
        "  for n in t.directory.entries:\n"
        "    name = str(n.name) if n.name is not None else '#%d' % n.id\n"
        "    for l in n.directory.entries:\n"
        "      d = pe.get_data(l.data.struct.OffsetToData, l.data.struct.Size)\n"
        "      if d[:4] == b'TPF0': sys.stdout.buffer.write(('%s %04x %d\\n' % (name, l.id, len(d))).encode())\n");
    const std::string command = python + " " + script + " " + Path("cross.exe") + " > " + Path("pefile.txt");
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(Path("pefile.txt"), std::ios::binary);
    std::stringstream theirs;
    theirs << in.rdbuf();
    std::string ours;
    TMemoryStream file;
    file.LoadFromFile(Path("cross.exe"));
    for (const TProgramForm& f :
         ReadProgramForms(std::string(static_cast<const char*>(file.Memory()), size_t(file.Size())))) {
      char language[8];
      std::snprintf(language, sizeof language, "%04x", f.language);
      ours += f.name + " " + language + " " + std::to_string(f.data.size()) + "\n";
    }
    EXPECT_EQ(ours, theirs.str()) << (pe64 ? "PE32+" : "PE32");
  }
}

}  // namespace
