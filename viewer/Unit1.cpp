#include "Unit1.h"

#include <QFile>

#include "LoadPreview.h"
#include "OpenProgram.h"
#include "Unit2.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "rewrite.h"
#include "stock/StockControls.h"

TForm1* Form1 = nullptr;

const TClassInfo& TForm1::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TForm1>("TForm1", &TForm::StaticClassInfo())
          .Method("btn1Click", &TForm1::btn1Click)
          .Method("btn2Click", &TForm1::btn2Click)
          .Build();
  return info;
}

namespace {
template <class T>
T* Named(TComponent* form, const char* name) {
  auto* c = dynamic_cast<T*>(form->FindComponent(name));
  if (!c) throw EComponentError(std::string("The main window has no ") + name);
  return c;
}
}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  Form1 = this;
  QFile file(":/forms/Unit1.dfm");
  if (!file.open(QIODevice::ReadOnly)) throw EFOpenError("Missing form description Unit1.dfm");
  QByteArray bytes = file.readAll();
  TMemoryStream stream;
  stream.WriteBuffer(bytes.constData(), size_t(bytes.size()));
  stream.SetPosition(0);
  InitInheritedComponent(this, stream);
  mmo1 = Named<TMemo>(this, "mmo1");
  mmo2 = Named<TMemo>(this, "mmo2");
  dlgOpen = Named<TOpenDialog>(this, "dlgOpen");
  Panel1 = Named<TPanel>(this, "Panel1");
  btn1 = Named<TButton>(this, "btn1");
  Btn2 = Named<TButton>(this, "Btn2");
  Panel2 = Named<TPanel>(this, "Panel2");
  Label1 = Named<TLabel>(this, "Label1");
  Label2 = Named<TLabel>(this, "Label2");
  AcceptDroppedFiles(*this, [this](const std::string& path) { OpenFormFile(path); });
}

void TForm1::btn1Click(TPersistent*) {
  if (!dlgOpen->Execute()) return;
  OpenFormFile(dlgOpen->FileName());
}

void TForm1::OpenFormFile(const std::string& path) {
  if (!FileExists(path)) return;
  const std::string form = ChooseFormToOpen(path);
  if (form.empty()) return;
  LoadFormFile(form, *mmo1->Lines(), *mmo2->Lines(), ShowFormPreview);
}

void TForm1::btn2Click(TPersistent*) { Close(); }
