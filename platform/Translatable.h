#pragma once
// Messages that the program's translations translate. A core file marks its English source text
// with VORN_TRANSLATABLE("vorn", text), which is the text itself; lupdate collects the marked
// texts into the translation files of res/ (the build tells it the macro's name), and the Qt
// side looks a text up in that context when it shows it: the message boxes, and the window
// titles that take one.

#define VORN_TRANSLATABLE(context, text) text

namespace vorn {
// The context of every marked text.
inline constexpr const char* kTranslationContext = "vorn";
}  // namespace vorn
