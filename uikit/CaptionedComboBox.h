// A drop-down list read by its caption: a screen reader names it by the label
// beside it ("Concreto", "Aço", "Diâmetro das barras (mm)"), its accessible
// name, and reads the chosen item as its value. (The window system's own
// reading names such a list by its item, so that "C-30" is all one hears.)
#pragma once

#include <QComboBox>

namespace flexara {

class CaptionedComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
};

// Installs the reading of CaptionedComboBox; FlexaraApplication does it once.
void InstallCaptionedComboBoxReading();

} // namespace flexara
