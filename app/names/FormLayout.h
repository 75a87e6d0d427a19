// Building the tag tools' small windows from their layout rows: each control by its
// name, with left, top, width and height in twips, as the main window is built.
#pragma once

#include <QWidget>

#include "app/common/Twips.h"

namespace trackdeck::names {

template <class Widget>
Widget* Place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(TwipsRect(left, top, width, height));
    return widget;
}

template <class Widget>
Widget* Place(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
              int height) {
    Widget* widget = Place<Widget>(parent, name, left, top, width, height);
    widget->setText(text);
    return widget;
}

// The looks the tool windows share with the main window: dark background, black
// fields with green text.
void ApplyToolLooks(QWidget& window);

}  // namespace trackdeck::names
