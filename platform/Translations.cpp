#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace vorn {

bool installTranslation(QTranslator& translator, const QLocale& locale) {
    // vorn_zh.qm serves every Chinese locale (zh_CN, zh_TW, ...).
    return translator.load(locale, "vorn", "_", ":/i18n") &&
           QCoreApplication::installTranslator(&translator);
}

}  // namespace vorn
