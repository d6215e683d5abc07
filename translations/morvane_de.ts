<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BiniFormat</name>
    <message>
        <source>string offset %1 is outside the string table</source>
        <translation>der Zeichenkettenversatz %1 liegt außerhalb der Zeichenkettentabelle</translation>
    </message>
    <message>
        <source>string at offset %1 has no terminating NUL</source>
        <translation>der Zeichenkette bei Versatz %1 fehlt das abschließende NUL</translation>
    </message>
    <message>
        <source>the text would be larger than %1 MiB</source>
        <translation>der Text würde größer als %1 MiB</translation>
    </message>
    <message>
        <source>truncated value at byte %1</source>
        <translation>abgeschnittener Wert bei Byte %1</translation>
    </message>
    <message>
        <source>unknown value type %1 at byte %2</source>
        <translation>unbekannter Werttyp %1 bei Byte %2</translation>
    </message>
    <message>
        <source>truncated entry at byte %1</source>
        <translation>abgeschnittener Eintrag bei Byte %1</translation>
    </message>
    <message>
        <source>not a compressed INI file (no BINI magic)</source>
        <translation>keine komprimierte INI-Datei (keine BINI-Kennung)</translation>
    </message>
    <message>
        <source>truncated header</source>
        <translation>abgeschnittener Kopf</translation>
    </message>
    <message>
        <source>unsupported version %1</source>
        <translation>nicht unterstützte Version %1</translation>
    </message>
    <message>
        <source>string table offset %1 is outside the file</source>
        <translation>der Versatz der Zeichenkettentabelle %1 liegt außerhalb der Datei</translation>
    </message>
    <message>
        <source>truncated section at byte %1</source>
        <translation>abgeschnittener Abschnitt bei Byte %1</translation>
    </message>
    <message>
        <source>line %1 holds a NUL byte</source>
        <translation>Zeile %1 enthält ein NUL-Byte</translation>
    </message>
    <message>
        <source>line %1 comes before any section</source>
        <translation>Zeile %1 steht vor jedem Abschnitt</translation>
    </message>
    <message>
        <source>line %1 has more than 255 values</source>
        <translation>Zeile %1 hat mehr als 255 Werte</translation>
    </message>
    <message>
        <source>the names do not fit in 64 KiB</source>
        <translation>die Namen passen nicht in 64 KiB</translation>
    </message>
    <message>
        <source>a section has more than 65535 entries</source>
        <translation>ein Abschnitt hat mehr als 65535 Einträge</translation>
    </message>
</context>
<context>
    <name>ColorizeFile</name>
    <message>
        <source>it begins as UTF-16 text but is not valid UTF-16 (it is cut short, or a character is missing its pair)</source>
        <translation>sie beginnt als UTF-16-Text, ist aber kein gültiges UTF-16 (sie ist abgeschnitten, oder einem Zeichen fehlt sein Gegenstück)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>An editor for INI files: shows them colour-coded by line kind; a file saved without edits comes back byte for byte. Compressed INI files open too, and are saved as plain text.</source>
        <translation>Ein Editor für INI-Dateien: zeigt sie nach Zeilenart eingefärbt; eine ohne Änderungen gespeicherte Datei bleibt Byte für Byte gleich. Komprimierte INI-Dateien lassen sich ebenfalls öffnen und werden als reiner Text gespeichert.</translation>
    </message>
    <message>
        <source>Files to open, in order, as the Open command would open them. Put -- before a name that starts with &quot;-&quot;.</source>
        <translation>Zu öffnende Dateien, der Reihe nach, wie der Befehl Öffnen sie öffnen würde. Vor einen Namen, der mit „-“ beginnt, gehört --.</translation>
    </message>
    <message>
        <source>unknown option %1; to open a file whose name starts with &quot;-&quot;, put -- before it: morvane -- %1</source>
        <translation>unbekannte Option %1; um eine Datei zu öffnen, deren Name mit „-“ beginnt, setzen Sie -- davor: morvane -- %1</translation>
    </message>
    <message>
        <source>cannot connect to a display (DISPLAY / WAYLAND_DISPLAY not set)</source>
        <translation>keine Verbindung zu einer Anzeige möglich (DISPLAY / WAYLAND_DISPLAY nicht gesetzt)</translation>
    </message>
</context>
<context>
    <name>Decompression</name>
    <message>
        <source>Morvane - Uncompressing File . . . . . . . .</source>
        <translation>Morvane - Datei wird entpackt . . . . . . . .</translation>
    </message>
    <message>
        <source>the decompressor failed (exit code %1)</source>
        <translation>das Entpackprogramm ist fehlgeschlagen (Exit-Code %1)</translation>
    </message>
    <message>
        <source>the decompressor wrote no text (exit code %1)</source>
        <translation>das Entpackprogramm hat keinen Text geschrieben (Exit-Code %1)</translation>
    </message>
    <message>
        <source>Please wait until %1 is uncompressed before opening another compressed file.</source>
        <translation>Bitte warten Sie, bis %1 entpackt ist, bevor Sie eine weitere komprimierte Datei öffnen.</translation>
    </message>
    <message>
        <source>the decompressor could not be started (%1)</source>
        <translation>das Entpackprogramm konnte nicht gestartet werden (%1)</translation>
    </message>
    <message>
        <source>the decompressor did not finish within %1 seconds</source>
        <translation>das Entpackprogramm ist nicht innerhalb von %1 Sekunden fertig geworden</translation>
    </message>
    <message>
        <source>Uncompressing %1</source>
        <translation>%1 wird entpackt</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Recover</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Save as UTF-8</source>
        <translation>Als UTF-8 speichern</translation>
    </message>
    <message>
        <source>Replace with &quot;?&quot;</source>
        <translation>Durch „?“ ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>DocumentLoader</name>
    <message>
        <source>there is not enough memory to show it</source>
        <translation>es ist nicht genug Speicher frei, um sie anzuzeigen</translation>
    </message>
</context>
<context>
    <name>EditorSlots</name>
    <message>
        <source>Loading . . . .</source>
        <translation>Wird geladen . . . .</translation>
    </message>
    <message>
        <source>Please close a file before opening another.</source>
        <translation>Bitte schließen Sie eine Datei, bevor Sie eine weitere öffnen.</translation>
    </message>
    <message>
        <source>Could not open %1: %2.</source>
        <translation>%1 konnte nicht geöffnet werden: %2.</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>the system gave no reason</source>
        <translation>das System hat keinen Grund genannt</translation>
    </message>
    <message>
        <source>the temporary folder %1 cannot be used (%2)</source>
        <translation>der temporäre Ordner %1 kann nicht verwendet werden (%2)</translation>
    </message>
</context>
<context>
    <name>FileWriter</name>
    <message>
        <source>the folder %1 may not be written (%2)</source>
        <translation>in den Ordner %1 darf nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>the file may not be written (%1)</source>
        <translation>die Datei darf nicht geschrieben werden (%1)</translation>
    </message>
    <message>
        <source>it is a link that another user made in a shared folder</source>
        <translation>es ist eine Verknüpfung, die ein anderer Benutzer in einem gemeinsamen Ordner angelegt hat</translation>
    </message>
    <message>
        <source>no new file can be made in the folder %1 (%2)</source>
        <translation>im Ordner %1 kann keine neue Datei angelegt werden (%2)</translation>
    </message>
    <message>
        <source>the file was written, but its folder could not be synced (%1)</source>
        <translation>die Datei wurde geschrieben, aber ihr Ordner konnte nicht auf die Platte gebracht werden (%1)</translation>
    </message>
    <message>
        <source>the copy of its old contents, %1, could not be removed (%2)</source>
        <translation>die Kopie ihres alten Inhalts, %1, konnte nicht entfernt werden (%2)</translation>
    </message>
    <message>
        <source>; its old contents are kept in %1</source>
        <translation>; ihr alter Inhalt ist in %1 aufbewahrt</translation>
    </message>
    <message>
        <source>no copy of the old contents could be made in %1 (%2)</source>
        <translation>in %1 konnte keine Kopie des alten Inhalts angelegt werden (%2)</translation>
    </message>
</context>
<context>
    <name>HiddenProcess</name>
    <message>
        <source>the program crashed</source>
        <translation>das Programm ist abgestürzt</translation>
    </message>
</context>
<context>
    <name>InterruptedSave</name>
    <message>
        <source>Could not put the old contents of %1 back: %2. They are kept in %3.</source>
        <translation>Der alte Inhalt von %1 konnte nicht zurückgeschrieben werden: %2. Er ist in %3 aufbewahrt.</translation>
    </message>
    <message>
        <source>%1 may be incomplete: a save of it was cut short. Its contents from before that save were kept in %2. Put them back?</source>
        <translation>%1 ist möglicherweise unvollständig: ein Speichern wurde unterbrochen. Der Inhalt von vor diesem Speichern ist in %2 aufbewahrt. Zurückschreiben?</translation>
    </message>
</context>
<context>
    <name>OpenCommand</name>
    <message>
        <source>it is %1, and there is not enough memory to open it</source>
        <translation>sie ist %1 groß, und es ist nicht genug Speicher frei, um sie zu öffnen</translation>
    </message>
    <message>
        <source>Morvane opens .ini and .txt files (and compressed .ini files)</source>
        <translation>Morvane öffnet .ini- und .txt-Dateien (und komprimierte .ini-Dateien)</translation>
    </message>
    <message>
        <source>No file loaded.</source>
        <translation>Keine Datei geladen.</translation>
    </message>
    <message>
        <source>Opening %1</source>
        <translation>%1 wird geöffnet</translation>
    </message>
    <message>
        <source>the file is %1, more than the %2 Morvane can hold</source>
        <translation>die Datei ist %1 groß, mehr als die %2, die Morvane fassen kann</translation>
    </message>
    <message>
        <source>the file is %1 and needs about %2 of memory to open, but only %3 is available</source>
        <translation>die Datei ist %1 groß und braucht zum Öffnen etwa %2 Speicher, aber nur %3 sind frei</translation>
    </message>
</context>
<context>
    <name>RecoveryCopies</name>
    <message>
        <source>there is not enough memory</source>
        <translation>es ist nicht genug Speicher frei</translation>
    </message>
    <message>
        <source>Could not keep a recovery copy of %1: %2. Editing goes on, but what is not saved would be lost in a crash.</source>
        <translation>Von %1 konnte keine Wiederherstellungskopie angelegt werden: %2. Sie können weiter bearbeiten, aber nicht Gespeichertes ginge bei einem Absturz verloren.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>%1 had unsaved changes when Morvane last stopped. Recover them?</source>
        <translation>%1 hatte ungespeicherte Änderungen, als Morvane zuletzt beendet wurde. Wiederherstellen?</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>the folder for recovery copies %1 cannot be used (%2)</source>
        <translation>der Ordner für Wiederherstellungskopien %1 kann nicht verwendet werden (%2)</translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation>es ist eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>er gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>others may write in it</source>
        <translation>andere dürfen hineinschreiben</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot name a copy</source>
        <translation>„%1“ kann keine Kopie bezeichnen</translation>
    </message>
    <message>
        <source>%1 is not a copy this program wrote</source>
        <translation>%1 ist keine Kopie, die dieses Programm geschrieben hat</translation>
    </message>
    <message>
        <source>the copy %1 is no longer there</source>
        <translation>die Kopie %1 ist nicht mehr vorhanden</translation>
    </message>
</context>
<context>
    <name>RunFolders</name>
    <message>
        <source>it belongs to another user</source>
        <translation>er gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>others may write in it, and it has no sticky bit</source>
        <translation>andere dürfen hineinschreiben, und er hat kein Sticky-Bit</translation>
    </message>
</context>
<context>
    <name>SSTab</name>
    <message>
        <source>, modified</source>
        <translation>, geändert</translation>
    </message>
    <message>
        <source>, new</source>
        <translation>, neu</translation>
    </message>
</context>
<context>
    <name>Search</name>
    <message>
        <source>%1 not found.</source>
        <translation>%1 nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>SlotCommands</name>
    <message>
        <source>Morvane (*.ini;*.txt)|*.ini;*.txt|INI (*.ini)|*.ini|Text (*.txt)|*.txt|All Files (*.*)|*.*</source>
        <extracomment>The file types of the Open and Save As dialogs: each a description, then its patterns, each followed by &quot;|&quot;.</extracomment>
        <translation>Morvane (*.ini;*.txt)|*.ini;*.txt|INI (*.ini)|*.ini|Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>%1 is saved as %2, which cannot hold %3 character(s) you typed (%4). Save it as UTF-8 instead?</source>
        <translation>%1 wird als %2 gespeichert, das %3 der eingegebenen Zeichen nicht aufnehmen kann (%4). Stattdessen als UTF-8 speichern?</translation>
    </message>
    <message>
        <source>Saving %1</source>
        <translation>%1 wird gespeichert</translation>
    </message>
    <message>
        <source>Putting the old contents of %1 back</source>
        <translation>Der alte Inhalt von %1 wird zurückgeschrieben</translation>
    </message>
    <message>
        <source>%1 was not saved.</source>
        <translation>%1 wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>Could not save %1: %2.</source>
        <translation>%1 konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>%1 saved, but %2.</source>
        <translation>%1 gespeichert, aber %2.</translation>
    </message>
    <message>
        <source>%1 was deleted or moved away since it was opened. Save makes it again. Save anyway?</source>
        <translation>%1 wurde seit dem Öffnen gelöscht oder verschoben. Speichern legt die Datei neu an. Trotzdem speichern?</translation>
    </message>
    <message>
        <source>%1 has changed on disk since it was opened. Save anyway?</source>
        <translation>%1 wurde seit dem Öffnen auf der Platte geändert. Trotzdem speichern?</translation>
    </message>
    <message>
        <source>Save changes to %1 before closing?</source>
        <translation>Änderungen an %1 vor dem Schließen speichern?</translation>
    </message>
</context>
<context>
    <name>SlotModel</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>SubMain</name>
    <message>
        <source>cannot connect to a display (%1)</source>
        <translation>keine Verbindung zu einer Anzeige möglich (%1)</translation>
    </message>
</context>
<context>
    <name>form1</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>S&amp;peichern</translation>
    </message>
    <message>
        <source>Save &amp;As</source>
        <translation>Speichern &amp;unter</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find Next</source>
        <extracomment>A narrow button: a short caption.</extracomment>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Quick Bar</source>
        <translation>Schnellleiste</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save As</source>
        <extracomment>A narrow button: a short caption, abbreviated if need be.</extracomment>
        <translation>Sp. unter</translation>
    </message>
    <message>
        <source>Editor %1</source>
        <translation>Editor %1</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>No File</source>
        <translation>Keine Datei</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>A front end for bini, the decompressor of compressed INI files: Morvane shows INI files colour-coded and saves them as plain text. Morvane and bini are made by the Morvane project.</source>
        <translation>Eine Oberfläche für bini, das Entpackprogramm für komprimierte INI-Dateien: Morvane zeigt INI-Dateien farbig und speichert sie als reinen Text. Morvane und bini stammen vom Morvane-Projekt.</translation>
    </message>
    <message>
        <source>Warning: saving a compressed INI file writes it as plain text. Make sure you backup your ini files before editing!</source>
        <translation>Warnung: Eine komprimierte INI-Datei wird beim Speichern als reiner Text geschrieben. Sichern Sie Ihre INI-Dateien vor dem Bearbeiten!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
</TS>
