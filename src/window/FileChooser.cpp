#include "window/FileChooser.h"

#include <QFileDialog>

QString DialogFileChooser::chooseFolder(QWidget* parent, const QString& title, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, title, start);
}

QString DialogFileChooser::chooseFile(
    QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString DialogFileChooser::chooseSaveFile(
    QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}
