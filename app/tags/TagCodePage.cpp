#include "app/tags/TagCodePage.h"

#include <atomic>

namespace trackdeck::tags {

namespace {

std::atomic<CodePage> CurrentPage{CodePage::Windows1252};

}  // namespace

CodePage TagCodePage() { return CurrentPage.load(std::memory_order_relaxed); }

void UseTagCodePage(CodePage page) { CurrentPage.store(page, std::memory_order_relaxed); }

QString CodePageSetting(CodePage page) {
    switch (page) {
        case CodePage::Windows1250:
            return QStringLiteral("1250");
        case CodePage::Windows1251:
            return QStringLiteral("1251");
        case CodePage::Windows1252:
            break;
    }
    return QStringLiteral("1252");
}

CodePage CodePageFromSetting(const QString& value) {
    const QString text = value.trimmed();
    for (CodePage page : AllCodePages)
        if (text == CodePageSetting(page)) return page;
    return CodePage::Windows1252;
}

QString CodePageName(CodePage page) { return "Windows-" + CodePageSetting(page); }

QString CodePageCaption(CodePage page) {
    switch (page) {
        case CodePage::Windows1250:
            return CodePageName(page) + QString::fromUtf8(" (Mitteleuropäisch)");
        case CodePage::Windows1251:
            return CodePageName(page) + " (Kyrillisch)";
        case CodePage::Windows1252:
            break;
    }
    return CodePageName(page) + QString::fromUtf8(" (Westeuropäisch)");
}

}  // namespace trackdeck::tags
