#include "systems/MotiviErrore.h"

#include <cerrno>
#include <system_error>

namespace elencario {

std::string MotivoErrore(int codice) {
    using enum std::errc;
    switch (static_cast<std::errc>(codice)) {
        case no_space_on_device:
            return "spazio esaurito sul dispositivo";
        case permission_denied:
            return "permesso negato";
        case operation_not_permitted:
            return "operazione non permessa";
        case read_only_file_system:
            return "file system in sola lettura";
        case no_such_file_or_directory:
            return "file o cartella inesistente";
        case not_a_directory:
            return "un elemento del percorso non è una cartella";
        case is_a_directory:
            return "è una cartella";
        case filename_too_long:
            return "nome troppo lungo";
        case too_many_symbolic_link_levels:
            return "troppi livelli di collegamenti simbolici";
        case file_too_large:
            return "file troppo grande";
        case io_error:
            return "errore di input/output";
        case too_many_files_open:
        case too_many_files_open_in_system:
            return "troppi file aperti";
        case not_enough_memory:
            return "memoria insufficiente";
        case broken_pipe:
            return "pipe interrotta";
        case device_or_resource_busy:
        case text_file_busy:
            return "file o dispositivo occupato";
        case cross_device_link:
            return "collegamento tra dispositivi diversi";
        default:
            break;
    }
#ifdef EDQUOT
    if (codice == EDQUOT) return "quota del disco superata";
#endif
    return "errore di sistema " + std::to_string(codice);
}

std::string MotivoNonFile(std::filesystem::file_type tipo) {
    using enum std::filesystem::file_type;
    switch (tipo) {
        case none:
        case not_found:
        case regular:
            return {};
        case directory:
            return "è una cartella, non un file";
        case character:
        case block:
            return "è un dispositivo, non un file";
        case fifo:
            return "è una pipe, non un file";
        case socket:
            return "è un socket, non un file";
        default:
            break;
    }
    return "non è un file ordinario";
}

}  // namespace elencario
