#include "streaming/Converters.h"

#include "core/Ascii.h"
#include "core/Streams.h"
#include "streaming/FormBinary.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

void ObjectBinaryToText(TStream& in, TStream& out) {
  FormInput input(in);
  FormOutput output(out);
  FormTextWriter writer(output);
  size_t used = ReadFormBinary(input.Data(), writer);
  output.Flush();
  input.Finish(used);
}

void ObjectTextToBinary(TStream& in, TStream& out) {
  FormInput input(in);
  FormOutput output(out);
  FormBinaryWriter writer(output);
  size_t used = ParseFormText(input.Data(), writer);
  output.Flush();
  input.Finish(used);
}

void ObjectResourceToText(TStream& in, TStream& out) {
  FormInput input(in);
  FormOutput output(out);
  FormTextWriter writer(output);
  size_t used = ReadFormResource(input.Data(), writer);
  output.Flush();
  input.Finish(used);
}

void ObjectTextToResource(TStream& in, TStream& out) {
  FormInput input(in);
  FormOutput output(out);
  FormBinaryWriter writer(output, true);
  size_t used = ParseFormText(input.Data(), writer);
  output.Flush();
  input.Finish(used);
}

void ReadFormResource(TStream& in, FormEvents& sink) {
  FormInput input(in);
  input.Finish(ReadFormResource(input.Data(), sink));
}

void ReadFormBinary(TStream& in, FormEvents& sink) {
  FormInput input(in);
  input.Finish(ReadFormBinary(input.Data(), sink));
}

void ReadFormText(TStream& in, FormEvents& sink) {
  FormInput input(in);
  input.Finish(ParseFormText(input.Data(), sink));
}

FormEncoding DetectFormEncoding(std::string_view head) {
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
  if (head.substr(0, 4) == "TPF0") return FormEncoding::Binary;
  size_t i = 0;
  while (i < head.size() && (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n')) ++i;
  std::string six;
  for (size_t j = i; j < head.size() && six.size() < 6; ++j) {
    six.push_back(AsciiLower(head[j]));
  }
  if (six == "object" || six == "inheri" || six == "inline") return FormEncoding::Text;
  return FormEncoding::Resource;
}

void ReadFormAny(std::string_view data, FormEvents& sink) {
  switch (DetectFormEncoding(data.substr(0, 64))) {
    case FormEncoding::Text: ParseFormText(data, sink); break;
    case FormEncoding::Binary: ReadFormBinary(data, sink); break;
    case FormEncoding::Resource: ReadFormResource(data, sink); break;
  }
}
