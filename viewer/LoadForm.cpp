#include "LoadForm.h"

#include "Ancestors.h"
#include "FormFiles.h"
#include "core/Exceptions.h"
#include "core/SysUtils.h"
#include "rewrite.h"
#include "streaming/Converters.h"
#include "streaming/FormBinary.h"
#include "streaming/FormOutput.h"
#include "streaming/FormSource.h"

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
  ReadFormLines(input, lines);
  input.Clear();

  // Only an "inherited" root and "inline" frames are looked up in the
  // project; every "object" header is judged by the registry alone.
  TInheritedForm inherited(
      path, isRegistered,
      [&isRegistered](TStringList& levelLines, TStrings& log, const ClassRegisteredFn& inheritedClasses) {
        RewriteFormLines(levelLines, log, isRegistered, inheritedClasses);
      },
      load);
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
