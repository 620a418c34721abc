#pragma once

#include <QListWidget>
#include <QRegularExpression>
#include <filesystem>
#include <string>
#include <vector>

namespace elencario {

// The file list: the regular files of one folder whose names match a pattern ("*.TXT" matches
// a.txt too), sorted without regard to letter case. Choosing a name with the mouse (a press on
// it, or dragging the selection onto it) or with the keyboard raises fileScelto; a press on the
// name already selected raises it again.
class ElencoFile final : public QListWidget {
    Q_OBJECT
  public:
    explicit ElencoFile(QWidget* parent);

    // Either setting lists the folder again; an unreadable folder lists nothing.
    void ImpostaCartella(const std::filesystem::path& cartella);
    void ImpostaModello(const QString& modello);

    [[nodiscard]] const std::filesystem::path& Cartella() const { return cartella_; }
    // The selected name as the core takes it (UTF-8), empty when nothing is selected.
    [[nodiscard]] std::string NomeSelezionato() const;

  signals:
    void fileScelto();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Elenca();

    std::filesystem::path cartella_;
    QRegularExpression modello_;
    std::vector<std::filesystem::path> nomi_;  // the file name of each row
};

}  // namespace elencario
