// The messages in English, and in Chinese with the Chinese translation: the texts that the
// scale's own program shows in Chinese.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include "editors/text/HeaderBottomText.h"
#include "platform/Translatable.h"
#include "platform/Translations.h"
#include "shell/StoreList.h"

namespace vorn {
namespace {

QString shown(const char* text) {
    return QCoreApplication::translate(kTranslationContext, text);
}

TEST(TranslationsTest, AChineseLocaleShowsTheChineseTextsAndAnEnglishOneTheSources) {
    const struct {
        const char* source;
        const char* chinese;
    } texts[] = {{kNoScaleText, "秤号未选择!"},
                 {kScaleDeletedTitle, "未定义 - vorn"},
                 {labeltext::kBadTextMessage, "传送错误!"}};
    QTranslator english;
    EXPECT_FALSE(installTranslation(english, QLocale(QLocale::English, QLocale::UnitedStates)));
    for (const auto& t : texts) {
        EXPECT_EQ(shown(t.source), QString::fromUtf8(t.source));
    }
    for (const QLocale& chineseLocale :
         {QLocale(QLocale::Chinese, QLocale::China), QLocale(QLocale::Chinese, QLocale::Taiwan)}) {
        QTranslator chinese;
        ASSERT_TRUE(installTranslation(chinese, chineseLocale))
            << chineseLocale.name().toStdString();
        for (const auto& t : texts) {
            EXPECT_EQ(shown(t.source), QString::fromUtf8(t.chinese));
        }
        QCoreApplication::removeTranslator(&chinese);
    }
    EXPECT_EQ(shown(kNoScaleText), "No scale selected!");
}

}  // namespace
}  // namespace vorn
