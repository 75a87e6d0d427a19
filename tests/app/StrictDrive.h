// Pretending that a folder lies on a FAT drive, where this machine cannot mount
// one: the name rules of such a drive then hold for that folder during the test.
#pragma once

#include <QDir>
#include <QString>
#include <utility>

#include "app/common/TargetNameRules.h"

namespace trackdeck::test {

class PretendStrictDrive {
public:
    explicit PretendStrictDrive(const QString& folder)
        : m_previous(InstallFileSystemProbe([strict = QDir::cleanPath(folder)](const QString& f) {
              return QDir::cleanPath(f) == strict ? QStringLiteral("FAT") : QString();
          })) {}
    ~PretendStrictDrive() { InstallFileSystemProbe(std::move(m_previous)); }
    PretendStrictDrive(const PretendStrictDrive&) = delete;
    PretendStrictDrive& operator=(const PretendStrictDrive&) = delete;

private:
    FileSystemProbe m_previous;
};

}  // namespace trackdeck::test
