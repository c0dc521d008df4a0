// The texts of the media control interface's error codes (German system
// texts, Windows-1252).
#include <mmsystem.h>

namespace {

struct ErrorText {
  MCIERROR code;
  const char* text;
};

const ErrorText kErrorTexts[] = {
    {0, "Der angegebene Befehl wurde ausgef\xFChrt."},
    {MCIERR_INVALID_DEVICE_ID, "Ung\xFCltige MCI-Ger\xE4te-ID. Verwenden Sie die beim \xD6""ffnen des Ger\xE4ts zur\xFC""ckgegebene ID."},
    {MCIERR_UNRECOGNIZED_KEYWORD, "Der Treiber kann den angegebenen Befehlsparameter nicht erkennen."},
    {MCIERR_UNRECOGNIZED_COMMAND, "Der Treiber kann den angegebenen Befehl nicht erkennen."},
    {MCIERR_HARDWARE, "Beim Mediager\xE4t ist ein Problem aufgetreten."},
    {MCIERR_INVALID_DEVICE_NAME, "Das angegebene Ger\xE4t ist nicht ge\xF6""ffnet oder wird von MCI nicht erkannt."},
    {MCIERR_OUT_OF_MEMORY, "Nicht gen\xFCgend Arbeitsspeicher f\xFCr diese Aufgabe."},
    {MCIERR_DEVICE_OPEN, "Der Ger\xE4tename wird bereits als Alias verwendet."},
    {MCIERR_MISSING_COMMAND_STRING, "Keine Befehlszeichenfolge angegeben."},
    {MCIERR_PARAM_OVERFLOW, "Die Ausgabezeichenfolge ist zu lang f\xFCr den R\xFC""ckgabepuffer."},
    {MCIERR_MISSING_STRING_ARGUMENT, "Dem Befehl fehlt ein Zeichenfolgenparameter."},
    {MCIERR_BAD_INTEGER, "Die angegebene Ganzzahl ist f\xFCr diesen Befehl ung\xFCltig."},
    {MCIERR_MISSING_PARAMETER, "Dem Befehl fehlt ein erforderlicher Parameter."},
    {MCIERR_UNSUPPORTED_FUNCTION, "Das Ger\xE4t kann den angegebenen Befehl nicht ausf\xFChren."},
    {MCIERR_FILE_NOT_FOUND, "Die angegebene Datei wurde nicht gefunden."},
    {MCIERR_DEVICE_NOT_READY, "Das Ger\xE4t ist nicht bereit."},
    {MCIERR_INTERNAL, "Beim Initialisieren von MCI ist ein Problem aufgetreten."},
    {MCIERR_CANNOT_USE_ALL, "Der Ger\xE4tename \"all\" ist f\xFCr diesen Befehl nicht zul\xE4ssig."},
    {MCIERR_EXTENSION_NOT_FOUND, "Der Ger\xE4tetyp kann nicht aus der Dateinamenerweiterung bestimmt werden."},
    {MCIERR_OUTOFRANGE, "Der angegebene Parameter liegt au\xDF""erhalb des zul\xE4ssigen Bereichs."},
    {MCIERR_FLAGS_NOT_COMPATIBLE, "Die angegebenen Parameter k\xF6nnen nicht zusammen verwendet werden."},
    {MCIERR_DEVICE_TYPE_REQUIRED, "Der Ger\xE4tetyp muss angegeben werden."},
    {MCIERR_DUPLICATE_ALIAS, "Der angegebene Alias wird bereits verwendet."},
    {MCIERR_BAD_CONSTANT, "Die angegebene Konstante ist f\xFCr diesen Befehl ung\xFCltig."},
    {MCIERR_MISSING_DEVICE_NAME, "Kein Ger\xE4tename angegeben."},
    {MCIERR_BAD_TIME_FORMAT, "Das angegebene Zeitformat ist ung\xFCltig."},
    {MCIERR_NO_CLOSING_QUOTE, "Einem Parameterwert fehlt das schlie\xDF""ende Anf\xFChrungszeichen."},
    {MCIERR_DUPLICATE_FLAGS, "Ein Parameter oder Wert wurde doppelt angegeben."},
    {MCIERR_INVALID_FILE, "Die angegebene Datei kann vom MCI-Ger\xE4t nicht wiedergegeben werden. Die Datei ist besch\xE4""digt oder hat ein falsches Format."},
    {MCIERR_NULL_PARAMETER_BLOCK, "An MCI wurde ein leerer Parameterblock \xFC""bergeben."},
    {MCIERR_NONAPPLICABLE_FUNCTION, "Der angegebene Befehl ist ohne ge\xF6""ffnete Datei nicht anwendbar."},
    {MCIERR_FILENAME_REQUIRED, "Ein g\xFCltiger Dateiname ist erforderlich."},
    {MCIERR_EXTRA_CHARACTERS, "Nach einer Zeichenfolge in Anf\xFChrungszeichen sind keine weiteren Zeichen zul\xE4ssig."},
    {MCIERR_SEQ_DIV_INCOMPATIBLE, "Das Zeitformat \"song pointer\" und das SMPTE-Zeitformat schlie\xDF""en sich gegenseitig aus."},
    {MCIERR_SEQ_NOMIDIPRESENT, "Es ist kein MIDI-Ger\xE4t installiert."},
    {MCIERR_FILE_READ, "Beim Lesen der angegebenen Datei ist ein Fehler aufgetreten."},
};

}  // namespace

BOOL WINAPI mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) {
  if (!text || size == 0) return FALSE;
  text[0] = 0;
  for (const ErrorText& e : kErrorTexts) {
    if (e.code == error) {
      lstrcpynA(text, e.text, static_cast<int>(size));
      return TRUE;
    }
  }
  return FALSE;
}
