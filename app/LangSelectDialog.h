#pragma once
// Asks for the interface language at start-up. Start-up calls setDefaultLanguage and show(),
// pumps events until selectFinished is set, ends the program when closedByUser is set and
// otherwise installs the translation of `language`.

#include <QDialog>

#include <cstdint>

class QCloseEvent;
class QKeyEvent;
namespace Ui {
class LangSelectDialog;
}

// Language codes shared by the dialog and start-up.
constexpr int32_t KT9_LANGUAGE_ENGLISH = 1;
constexpr int32_t KT9_LANGUAGE_JAPANESE = 2;

class LangSelectDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LangSelectDialog(QWidget *parent = nullptr);
    ~LangSelectDialog() override;

    // Decorates the window and checks the button of the given code (English for
    // KT9_LANGUAGE_ENGLISH, Japanese for any other value).
    void setDefaultLanguage(int32_t languageCode);

    bool closedByUser = false;                ///< closed from the title bar before OK was pressed
    bool selectFinished = false;              ///< done, by OK or by closing the window
    int32_t language = KT9_LANGUAGE_JAPANESE; ///< the chosen code, 1 or 2

protected:
    // Swallows Escape so the dialog stays open.
    void keyPressEvent(QKeyEvent *event) override;
    // A close before OK counts as the user leaving the program.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_pushButton_clicked();
    void on_jpnRadioBtn_clicked();
    void on_engRadioBtn_clicked();

private:
    Ui::LangSelectDialog *ui;
};
