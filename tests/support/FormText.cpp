#include "FormText.h"

#include "controls/Forms.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

std::unique_ptr<TForm> FormFromResourceText(const std::string& text) {
  TMemoryStream in;
  in.WriteBuffer(text.data(), text.size());
  in.SetPosition(0);
  TMemoryStream resource;
  ObjectTextToResource(in, resource);
  resource.SetPosition(0);
  return std::make_unique<TForm>(nullptr, resource);
}
