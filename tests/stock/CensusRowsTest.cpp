// What real forms of every version set on the stock classes, taken from the
// census of forms outside our own sets: each row that two or more
// repositories set on a stock class (or on a form or frame root) becomes a
// small form built from the row's example value, and that form must load.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "StockTestSupport.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "stock/Frames.h"

namespace {

struct CensusRow {
  std::string className;  // "*root*" for the root objects
  std::string path;       // dotted, collection items as "<item>"
  int repositories = 0;
  std::string example;
};

std::vector<std::string> Split(const std::string& line, char sep) {
  std::vector<std::string> out;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, sep)) out.push_back(field);
  return out;
}

// The census rows of the stock classes and the roots that at least two
// repositories set; empty when the census is absent.
std::vector<CensusRow> StockCensusRows() {
  const std::filesystem::path file = std::filesystem::path(TESSALY_CENSUS_DIR) / "properties.tsv";
  std::ifstream in(file);
  std::vector<CensusRow> rows;
  if (!in) return rows;
  const std::set<std::string> stock(StockClassNames().begin(), StockClassNames().end());
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto f = Split(line, '\t');
    if (f.size() < 5) continue;
    if (f[0] != "*root*" && !stock.count(f[0])) continue;
    const int repositories = std::atoi(f[3].c_str());
    if (repositories < 2) continue;
    rows.push_back({f[0], f[1], repositories, f[4]});
  }
  return rows;
}

// Rows that real forms set but that no stock class of any version has: the
// root rows of other root classes, which the census pools under "*root*"
// (keyed by the path's first name), and a class of another library that
// shares a stock name. The reason, or "" for a row that must load.
std::string SkipReason(const CensusRow& row) {
  struct Family {
    const char* reason;
    std::set<std::string> names;
  };
  static const std::vector<Family> roots = {
      {"root of a QuickReport report",
       {"BeforePrint", "DataSet", "Frame", "Functions", "OnStartPage", "Options", "Page", "PrevFormStyle",
        "PreviewInitialState", "PrintIfEmpty", "PrinterSettings", "ReportTitle", "SnapToGrid", "Units", "Zoom"}},
      {"root of a web module",
       {"Actions", "AfterDispatch", "BeforeDispatch", "OnException", "AppServices", "PageProducer"}},
      {"root of a Windows service", {"AfterInstall", "DisplayName", "OnExecute", "OnStart", "OnStop", "StartType"}},
      {"root of an Android service", {"OnBind", "OnRebind", "OnStartCommand", "OnUnBind"}},
      {"root of an ActiveX form", {"AxBorderStyle"}},
      {"root of an application plug-in module",
       {"Author", "Commands", "Copyright", "OnConfigure", "OnInitialize", "OnPluginMessage", "PluginID"}},
      {"root of a Lazarus form or data module", {"DesignLeft", "DesignTop", "LCLVersion"}},
      {"root of a web application server module or web form (IntraWeb, uniGUI)",
       {"AlignmentControl",
        "AllowMultipleSessionsPerUser",
        "AllowPageAccess",
        "AllowSubFolders",
        "AppName",
        "AuthBeforeNewSession",
        "AutoProcess",
        "Background",
        "Browser32Behaviour",
        "BrowserSecurityCheck",
        "CacheExpiry",
        "ComInitialization",
        "Compression",
        "ConnectionFailureRecovery",
        "ConnectionMode",
        "CustomCSS",
        "CustomFiles",
        "DebugHTML",
        "Description",
        "EnableImageToolbar",
        "ExceptionDisplayMode",
        "ExecCmd",
        "HandleTabs",
        "HistoryEnabled",
        "Interactive",
        "InternalFilesURL",
        "Layout",
        "LayoutMgr",
        "LeftToRight",
        "LockOnSubmit",
        "LockUntilLoaded",
        "Log",
        "MainFormDisplayMode",
        "MonitoredKeys",
        "NavigateKeys",
        "OnAjaxEvent",
        "OnCancel",
        "OnNewSession",
        "PageTransitions",
        "Port",
        "PostToSelf",
        "ReEntryOptions",
        "RedirectMsgDelay",
        "RenderInvisibleControls",
        "RestrictIPs",
        "RestrictSubnet",
        "SSL",
        "SSLOptions",
        "ServerResizeTimeout",
        "SessionTimeout",
        "SessionTrackingMethod",
        "ShowLoadingAnimation",
        "ShowResyncWarning",
        "SupportedBrowsers",
        "SuppressErrors",
        "TempFolder",
        "ThreadPoolSize",
        "Title",
        "UnknownBrowserAction",
        "XPTheme"}},
      {"root of another library's class; no form, frame or data module has it", {"Bindings", "Images", "Version"}},
  };
  const std::string first = row.path.substr(0, row.path.find('.'));
  if (row.className == "*root*") {
    for (const Family& f : roots)
      if (f.names.count(first)) return f.reason;
    return {};
  }
  if (row.className == "TImageList" && (first == "Source" || first == "Destination"))
    return "the multi-resolution image list of FireMonkey, which shares the name";
  return {};
}

// The container a class needs around it to load as real forms hold it.
std::pair<std::string, std::string> ContainerOf(const std::string& className) {
  if (className == "TTabSheet") return {"  object PageControl1: TPageControl\r\n", "  end\r\n"};
  if (className == "TMenuItem") return {"  object MainMenu1: TMainMenu\r\n", "  end\r\n"};
  if (className == "TAction") return {"  object ActionList1: TActionList\r\n", "  end\r\n"};
  if (className == "TToolButton") return {"  object ToolBar1: TToolBar\r\n", "  end\r\n"};
  return {"", ""};
}

bool IsCollectionCount(const std::string& example) {
  return example.size() > 2 && example.front() == '<' && example.find(" item") != std::string::npos &&
         example.back() == '>';
}

// The property lines that set `path` to `value`, one level of collection
// items per "<item>" segment, indented by `indent`.
std::string PropertyLines(const std::string& path, const std::string& value, const std::string& indent) {
  const std::string marker = ".<item>.";
  const size_t at = path.find(marker);
  if (at == std::string::npos) return indent + path + " = " + value + "\r\n";
  return indent + path.substr(0, at) + " = <\r\n" + indent + "  item\r\n" +
         PropertyLines(path.substr(at + marker.size()), value, indent + "    ") + indent + "  end>\r\n";
}

std::string RowForm(const CensusRow& row, const std::string& value) {
  if (row.className == "*root*") return FormTextWith(PropertyLines(row.path, value, "  "));
  const auto [open, close] = ContainerOf(row.className);
  const std::string indent = open.empty() ? "    " : "      ";
  const std::string object =
      (open.empty() ? "  " : "    ") + std::string("object Census1: ") + row.className + "\r\n" +
      PropertyLines(row.path, value, indent) + (open.empty() ? "  " : "    ") + "end\r\n";
  return FormTextWith(open + object + close);
}

// The values to try for a row: its example as written and, when the census
// cut it short, the example closed again after dropping what was cut.
std::vector<std::string> CandidateValues(const std::string& example) {
  if (IsCollectionCount(example)) return {"<\r\n    item\r\n    end>"};
  std::vector<std::string> out = {example};
  // A set cut short loses its last, partial element.
  if (example.size() > 1 && example.front() == '[' && example.back() != ']' && example.rfind(',') != std::string::npos)
    out.push_back(example.substr(0, example.rfind(',')) + "]");
  for (size_t keep = example.size(); keep > 0; --keep) {
    const std::string head = example.substr(0, keep);
    for (const char* tail : {"'", ")", "')", "]"}) out.push_back(head + tail);
    if (keep < example.size()) out.push_back(head);
  }
  return out;
}

// Reads the root properties into a frame, as a frame's own file holds them.
void LoadFrameRoot(const std::string& propertyLines) {
  RegisterStockClassesForTests();
  const std::string text = "object Frame1: TFrame1\r\n" + propertyLines + "end\r\n";
  TFrame frame(nullptr);
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), text.size());
  stream.SetPosition(0);
  InitInheritedComponent(&frame, stream);
}

// Loads the row's form: "" when it loads, otherwise the reader's message.
// Root rows load on a form or, failing that, on a frame.
std::string LoadRow(const CensusRow& row) {
  std::string parseError;
  for (const std::string& value : CandidateValues(row.example)) {
    try {
      LoadFormText(RowForm(row, value));
      return {};
    } catch (const EParserError& e) {
      if (parseError.empty()) parseError = e.what();
    } catch (const std::exception& e) {
      if (row.className != "*root*") return e.what();
      try {
        LoadFrameRoot(PropertyLines(row.path, value, "  "));
        return {};
      } catch (const std::exception&) {
        return e.what();
      }
    }
  }
  return "example does not parse: " + parseError;
}

// Binary examples end in "...}" where the census cut them short.
bool IsCutBinary(const std::string& example) {
  return example.size() > 4 && example.front() == '{' && example.compare(example.size() - 4, 4, "...}") == 0;
}

}  // namespace

TEST(CensusRows, StockClassesLoadWhatRealFormsOfEveryVersionSet) {
  const std::vector<CensusRow> rows = StockCensusRows();
  if (rows.empty()) GTEST_SKIP() << "census not found at " << TESSALY_CENSUS_DIR;
  int loaded = 0, skipped = 0;
  std::vector<std::string> failures;
  for (const CensusRow& row : rows) {
    const std::string where = row.className + " " + row.path;
    std::string reason = SkipReason(row);
    if (reason.empty() && IsCutBinary(row.example)) reason = "binary value cut short in the census";
    if (!reason.empty()) {
      ++skipped;
      std::cout << "skipped: " << where << " (" << reason << ")\n";
      continue;
    }
    const std::string error = LoadRow(row);
    if (error.empty()) {
      ++loaded;
    } else {
      failures.push_back(where + " = " + row.example + ": " + error);
    }
  }
  std::cout << loaded << " of " << rows.size() - skipped << " census rows load; " << skipped << " skipped\n";
  for (const std::string& f : failures) ADD_FAILURE() << f;
}
