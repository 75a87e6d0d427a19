#include "app/player/TimeText.h"

namespace trackdeck::player {

namespace {

QString TwoDigits(int32_t value) {
    return value < 10 ? "0" + QString::number(value) : QString::number(value);
}

}  // namespace

QString TimeText(int32_t seconds) {
    const int32_t minutes = seconds / 60;
    return TwoDigits(minutes) + ":" + TwoDigits(seconds - minutes * 60);
}

QString BitRateText(int32_t bitRate) {
    const QString digits = QString::number(bitRate);
    if (digits.size() < 3) return {};
    return digits.left(digits.size() - 3) + " kbps";
}

}  // namespace trackdeck::player
