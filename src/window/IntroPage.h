#pragma once

#include <QtGlobal>

class QWidget;

/// The Intro page, Page1: the title and version, what the data are, two pictures
/// and the contact address. Nothing on it takes input.
struct IntroPage {
    /// The pictures are drawn for a screen of `devicePixelRatio`.
    static QWidget* build(qreal devicePixelRatio);
};
