# Precompiled headers. GoogleTest's and Qt's headers are most of what a test or
# widget source file costs to compile; precompiled once per target, each file
# starts from them instead of parsing them again. TRACKDECK_PCH=OFF checks that
# every file still includes what it uses.

set(TRACKDECK_PCH_STANDARD <algorithm> <chrono> <cstdint> <filesystem> <functional> <memory>
                           <optional> <string> <vector>)
# The Qt headers most of the desktop program's files include.
set(TRACKDECK_PCH_WIDGETS <QApplication> <QCheckBox> <QDir> <QFile> <QFileInfo> <QKeyEvent>
                          <QLabel> <QLineEdit> <QListWidget> <QMenu> <QMouseEvent> <QObject>
                          <QPushButton> <QString> <QStringList> <QTimer> <QWidget>)

function(trackdeck_precompile target)
  if(NOT TRACKDECK_PCH)
    return()
  endif()
  target_precompile_headers(${target} PRIVATE ${TRACKDECK_PCH_STANDARD} ${ARGN})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # With a precompiled <string>, GCC 12 warns falsely about memcpy bounds in inlined
    # std::string concatenation. Only these targets lose its memory-access warnings;
    # the libraries that handle file data keep them.
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow
                                             -Wno-stringop-overread)
  endif()
endfunction()

# The desktop program's library.
function(trackdeck_precompile_widgets target)
  trackdeck_precompile(${target} ${TRACKDECK_PCH_WIDGETS})
endfunction()

# A test program: GoogleTest, and Qt as well for one that links Qt's test library.
function(trackdeck_precompile_test target)
  get_target_property(libraries ${target} LINK_LIBRARIES)
  if("Qt6::Test" IN_LIST libraries)
    trackdeck_precompile(${target} <gtest/gtest.h> ${TRACKDECK_PCH_WIDGETS} <QTest>)
  else()
    trackdeck_precompile(${target} <gtest/gtest.h>)
  endif()
endfunction()
