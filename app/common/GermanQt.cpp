#include "app/common/GermanQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace trackdeck {

bool LoadQtGermanTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace trackdeck
