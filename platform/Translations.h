#pragma once
// The program's translations of its messages, built from the .ts files of res/ into its
// resources (:/i18n): the Chinese one brings back the texts that the scale's own program shows
// in Chinese. English is the source language and needs none.

class QLocale;
class QTranslator;

namespace vorn {

// Loads the translation for the locale's language into the translator and installs it on the
// application; false (and nothing installed) when the program has none for that language.
bool installTranslation(QTranslator& translator, const QLocale& locale);

}  // namespace vorn
