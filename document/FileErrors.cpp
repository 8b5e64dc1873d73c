#include "FileErrors.h"

#include <array>

QString FileErrorMessage(int cause)
{
    static const std::array<const char*, 14> kMessages = {
        "Er is een algemene fout opgetreden",
        "Bestand '%s' kon niet worden gevonden",
        "Pad '%s' is ongeldig",
        "Er zijn al teveel bestanden geopend",
        "Toegang tot het bestand '%s' is geweigerd",
        "Incorrecte filehandle",
        "De huidige subfolder kan niet worden verwijderd",
        "De folder is vol",
        "Fout tijdens seek",
        "Er is een storing in de computer",
        "Fout tijdens toegang gedeeld bestand",
        "Fout tijdens lock",
        "De disk is vol",
        "Het einde van het bestand is bereikt",
    };
    if (cause < 1 || cause > int(kMessages.size()))
        return {};
    return QString::fromUtf8(kMessages[std::size_t(cause - 1)]);
}

QString ArchiveErrorMessage(int cause)
{
    static const std::array<const char*, 7> kMessages = {
        "Er is een algemene fout opgetreden",
        "Bestand '%s' is read-only geopend",
        "Het einde van het bestand is bereikt",
        "Bestand '%s' is write-only geopend",
        "Ongeldig bestandsformaat",
        "Ongeldige class",
        "Verkeerd versienummer",
    };
    if (cause < 1 || cause > int(kMessages.size()))
        return {};
    return QString::fromUtf8(kMessages[std::size_t(cause - 1)]);
}
