#pragma once
// Lets the user pick one instrument when two or more are reachable. The caller clears
// selectFinished, calls setPortList and show(), pumps events until selectFinished is set and
// reads portNum, the chosen row, which is the port index.

#include <QDialog>
#include <QString>
#include <QVector>

#include <cstdint>

class QCloseEvent;
class QKeyEvent;
namespace Ui {
class ConnectSelectDialog;
}

class ConnectSelectDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConnectSelectDialog(QWidget *parent = nullptr);
    ~ConnectSelectDialog() override;

    // Decorates the window, fills the list with one row per label and makes row 0 current.
    void setPortList(QVector<QString> labels);

    bool selectFinished = false; ///< set by OK; the caller clears it before showing again
    int32_t portNum = 0;         ///< the row last selected, -1 when no row is current

protected:
    // Swallows Escape so the dialog can only be left with OK.
    void keyPressEvent(QKeyEvent *event) override;
    // Refuses every close before OK: a window manager that ignores the missing close button
    // would otherwise hide the dialog while its caller still waits for selectFinished.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_pushButton_clicked();
    void on_connectlistWidget_itemSelectionChanged();

private:
    Ui::ConnectSelectDialog *ui;
};
