#pragma once

#include <QListWidget>
#include <filesystem>
#include <string>
#include <vector>

namespace elencario {

// The file list: the regular files of one folder whose names match a pattern ("*.TXT" matches
// a.txt too), sorted without regard to letter case. A plain press of the primary button on a
// name (also the name already loaded), dragging onto a name, or moving with the keyboard
// chooses it and raises fileScelto; other buttons and modifier clicks change nothing. The
// highlight belongs to the program: it shows the loaded system's name (Evidenzia), whatever
// the user tried.
class ElencoFile final : public QListWidget {
    Q_OBJECT
  public:
    explicit ElencoFile(QWidget* genitore);

    // Either setting lists the folder again; an unreadable folder lists nothing.
    void ImpostaCartella(const std::filesystem::path& cartella);
    void ImpostaModello(const std::string& modello);
    // Lists the folder again after a change on the disk, keeping the cursor on its name.
    void Aggiorna();
    // Highlights `sistema` (a full path) when it is in the listed folder, else no name.
    void Evidenzia(const std::filesystem::path& sistema);

    [[nodiscard]] const std::filesystem::path& Cartella() const { return cartella_; }
    // The chosen name in the core's path text, empty when nothing is chosen.
    [[nodiscard]] std::string NomeSelezionato() const;

  signals:
    void fileScelto();

  protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void focusInEvent(QFocusEvent* evento) override;

  private:
    void Elenca(bool mantieniCursore);
    void RipristinaEvidenza();
    // After an input event: a name newly under the cursor and selected is chosen; anything
    // else the event did to the highlight is undone.
    void ConcludiInput(int rigaPrima);

    std::filesystem::path cartella_;
    std::string modello_ = "*";
    std::vector<std::filesystem::path> nomi_;  // the file name of each row
    std::filesystem::path evidenziato_;
    bool premuto_ = false;  // a plain primary press is under way
};

}  // namespace elencario
