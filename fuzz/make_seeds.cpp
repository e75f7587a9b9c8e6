// Writes small seed inputs for the fuzz targets into a folder: a handful of
// forms covering every value kind, as text and as binary resources.
//   fuzz_make_seeds DIR
// and a few small programs and a resource file holding forms.
#include <cstdio>
#include <string>

#include "ProgramImages.h"
#include "core/Exceptions.h"
#include "streaming/FormBinary.h"
#include "streaming/FormText.h"

namespace {

const char* const kForms[] = {
    "object Form1: TForm1\r\n  Left = 8\r\n  Caption = 'Hello'\r\nend\r\n",
    "object Form1: TForm1\r\n  ClientWidth = 200\r\n  ClientHeight = 100\r\n"
    "  object Gauge1: TGauge\r\n    Left = 8\r\n    Top = 8\r\n    Kind = gkPie\r\n    Progress = 40\r\n  end\r\n"
    "  object SpinEdit1: TSpinEdit\r\n    MaxValue = 10\r\n    Value = 3\r\n  end\r\n"
    "  object Calendar1: TCalendar\r\n    StartOfWeek = 1\r\n  end\r\nend\r\n",
    "inherited Frame1: TFrame1 [2]\r\n  Ratio = 38003.000000000000000000\r\n  Tiny = 4E-19\r\n"
    "  S = 1.5s\r\n  C = 125000c\r\n  D = 42664.4977533449d\r\n  Big = 5000000000\r\n"
    "  Style = [fsBold, fsItalic]\r\n  Ok = True\r\n  Menu = nil\r\n  Color = clRed\r\n"
    "  W = 'Vi'#240'ur '#1071\r\n  Lines.Strings = (\r\n    'one'\r\n    2)\r\n"
    "  Panels = <\r\n    item [1]\r\n      Width = 50\r\n    end>\r\n  Glyph.Data = {00010203}\r\n"
    "  inline Sub: TFrame\r\n  end\r\nend\r\n",
    "object Form1: TForm1\r\n  OnCreate = FormCreate\r\n  object Meter1: TFancyMeter\r\n    Left = 8\r\n"
    "    Kind = gkPie\r\n    OnClick = Meter1Click\r\n  end\r\n  object Button1: TButton\r\n"
    "    Action = Action1\r\n    Caption = 'Go'\r\n  end\r\nend\r\n",
};

bool Save(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_make_seeds DIR\n");
    return 2;
  }
  std::string dir = argv[1];
  int i = 0;
  for (const char* text : kForms) {
    FormOutput out;
    FormBinaryWriter writer(out, true);
    ParseFormText(text, writer);
    std::string n = std::to_string(i++);
    if (!Save(dir + "/text" + n + ".dfm", text) || !Save(dir + "/binary" + n + ".dfm", out.Take())) {
      std::perror(dir.c_str());
      return 1;
    }
  }
  // Programs and a resource file holding two forms, for the resource walk.
  const std::vector<TestResource> forms = {
      {10, u"TFORM1", 0, 0x0409, TestFormStream("TForm1", "Form1")},
      {10, {}, 2, 0x0407, TestFormStream("TForm2", "Form2")},
      {3, {}, 1, 0, std::string(16, 'i')},
  };
  TestProgramOptions pe64;
  pe64.pe64 = true;
  if (!Save(dir + "/program32.exe", TestProgram(forms)) || !Save(dir + "/program64.dll", TestProgram(forms, pe64)) ||
      !Save(dir + "/forms.res", TestResourceFile(forms))) {
    std::perror(dir.c_str());
    return 1;
  }
  return 0;
}
