#include "LoadForm.h"



#include "Ancestors.h"
#include "components/Reader.h"
#include "controls/FontMapping.h"
#include "core/DecodeBudget.h"
#include "core/Exceptions.h"
#include "core/SysUtils.h"
#include "streaming/Converters.h"
#include "streaming/FormBinary.h"
#include "streaming/FormOutput.h"

void LoadForm(const std::string& path, TFormLoad& load, const ClassRegisteredFn& isRegistered) {
  TMemoryStream input;
  {
    std::string bytes = ReadFormSource(path);
    // A form inside a program is protected as the program file itself.
    load.files.push_back({SplitFormArgument(path).file, TFormFileRead::frForm});
    input.WriteBuffer(bytes.data(), bytes.size());
  }
  input.SetPosition(0);
  TStringList lines;
  int textStart = FormTextStart(input);
  if (textStart < 0) {
    TMemoryStream text;
    ObjectResourceToText(input, text);
    text.SetPosition(0);
    lines.LoadFromStream(text);
  } else {
    input.SetPosition(textStart);
    lines.LoadFromStream(input);
  }
  input.Clear();

  // Only an "inherited" root and "inline" frames are looked up in the
  // project; every "object" header is judged by the registry alone.
  TInheritedForm inherited(path, isRegistered, load);
  RewriteFormLines(lines, load.log, isRegistered, inherited.RewriteClasses());
  load.source.Assign(lines);
  load.rewritten = true;
  load.resource.Clear();
  if (inherited.NeedsResolving(lines)) {
    FormOutput resource(load.resource);
    FormBinaryWriter writer(resource, true);
    inherited.Resolve(lines, writer);
    resource.Flush();
  } else {
    lines.SaveToStream(input);
    input.SetPosition(0);
    ObjectTextToResource(input, load.resource);
  }
  load.resource.SetPosition(0);
}

void PreviewLoadedForm(TFormLoad& load, TStrings& log, const PreviewAction& preview) {
  ReadNoticeScope notices([&log](const std::string& line) { log.Add(line); });
  TDecodeBudget budget;
  // The text heights an earlier form stored speak for that form's fonts only.
  ForgetStoredCellHeights();
  preview(load.resource);
  if (budget.Refused() > 0) log.Add(budget.LogLine());
}
