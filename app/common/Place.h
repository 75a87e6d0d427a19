// Building a window from its layout rows: each control made as a child of its
// parent, named after the layout's control (its objectName, by which tests find
// it) and placed at left, top, width and height given in twips.
#pragma once

#include <QString>
#include <QWidget>

#include "app/common/Twips.h"

namespace trackdeck {

template <class Widget>
Widget* Place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(TwipsRect(left, top, width, height));
    return widget;
}

// A control with a caption or a sample text.
template <class Widget>
Widget* Place(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
              int height) {
    Widget* widget = Place<Widget>(parent, name, left, top, width, height);
    widget->setText(text);
    return widget;
}

}  // namespace trackdeck
