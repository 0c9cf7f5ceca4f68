<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>wf</name>
    <message>
        <source>the disk holding %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk %1 (mounted at %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no room left on %1, so %2 could not be written: nothing was changed. Free some space on it and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 failed while %2 was being written (input/output error): nothing was changed. Check the disk before you go on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A journal for bird watchers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is there already; it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal is damaged (%1): no backup was made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup %1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup %1 is there already; it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a Wingfolio journal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup %1 cannot be restored: %2. The journal was left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program ended first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The old journal cannot be kept as &quot;%1&quot;: a file of that name exists already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The old journal cannot be renamed to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The imported journal cannot be put in place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The newest good backup is the set %1. To restore it, move the refused aviary.mdb out of the data folder %2, copy the set&apos;s aviary.mdb there, copy the files of the set&apos;s Images folder into %3 (keeping those already there), then start Wingfolio again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The newest good backup is %1. To restore it, move the refused aviary.mdb out of the data folder %2 and copy the backup there as aviary.mdb, then start Wingfolio again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no good backup of it in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio cannot open the journal &quot;%1&quot;.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Wingfolio will not write to it. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio cannot create its data folder &quot;%1&quot;. Choose a folder you can write to with --data-dir.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio cannot create a new journal in the data folder &quot;%1&quot;.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio cannot create the picture folder &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The old journal &quot;%1&quot; cannot be imported: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no table &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the table &quot;%1&quot; has no column &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the table &quot;%1&quot; is damaged: %2 of its %3 rows can be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no readable options row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal &quot;%1&quot; exists already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not an Access (Jet) database.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file cannot be read as an Access database.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is damaged (its catalogue cannot be read).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is damaged (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The imported journal cannot be put in place as &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The world list &quot;%1&quot; cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The world list &quot;%1&quot; has no column english_name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is an SQLite database, but not a Wingfolio journal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It was written by a newer version of Wingfolio (journal format %1; this version reads up to %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal has no table &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The table &quot;%1&quot; of the journal has no column &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file cannot be read: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is a journal in the older Access (Jet) format, which this version cannot open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a Wingfolio journal (not a database).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is damaged: its header is not valid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is damaged: it is shorter than its contents need (truncated).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file cannot be opened: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is damaged (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is read-only; Wingfolio needs to write to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is locked by another program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is damaged: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file already exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal cannot be created: the folder cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal cannot be created: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal cannot be created: the file cannot be put in place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zip files cannot be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zip files cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2

Nothing was imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: zip archives cannot be read, the zip module cannot be loaded: %2

Nothing was imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the zip archive cannot be read (it is damaged or incomplete).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file %1 in the zip archive cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file %1 in the zip archive is damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the zip archive holds no CSV file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file %1 in the zip archive is encrypted; unpack it with its password and import the CSV file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file %1 in the zip archive is packed with a method Wingfolio cannot unpack; unpack it with another program and import the CSV file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 cannot be read: %2

Nothing was imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is neither a CSV file nor a zip archive.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: a quoted field is never closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file has no column &quot;%1&quot; (is it &quot;My eBird Data&quot;?).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: the record has %2 of the %3 fields; the file seems cut short or damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: the date &quot;%2&quot; cannot be read (eBird writes YYYY-MM-DD).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sightings added: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Already in the journal: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renamed on eBird since: %1 (updated, %2 filed under another bird)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for review: %1%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> records of %1 (File, Review eBird Names)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No longer in this download (kept in the journal): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skipped (not one species): 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skipped (not one species): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The skipped records are listed in:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The import was cancelled; nothing was imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list of skipped records could not be written to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>same scientific name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>same English name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>same epithet in another genus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English name shares %1 of its words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no aviary.mdb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save to JPG </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save to JPG %1. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to initialise the IJL library: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file with the above title already exists. Would you like to overwrite the file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Name in use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture (metafile)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import eBird Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture&apos;s file name &quot;%1&quot; leads outside the Images folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture&apos;s file %1 is a symbolic link, which Wingfolio does not follow.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid picture: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;br&gt;Order %1, family %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;p&gt;Not seen yet.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;First seen:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;Last seen:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;Sightings:&lt;/td&gt;&lt;td&gt;%1 at %2&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>places</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Sightings by month&lt;/h3&gt;&lt;p&gt;&lt;img src=&apos;page:months&apos;&gt;&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Birds of the World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Birds of the World Articles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other Articles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Birds of the World Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Birds of the World Internet Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other Internet Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web browser module cannot be loaded: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bird Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Find the Information for this item.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must choose a bird name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must choose a subject.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No current record.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> on </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> at </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Loading Data. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error loading Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save to JPG %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Life list growth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Places with the most species</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Species</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The charts module cannot be loaded: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wingfolio: the journal %1 is open in Wingfolio; close it and try again.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported %1
%2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>World Life List = %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 List = %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrote %1 sightings in eBird Record Format to %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left out %1 sightings imported from eBird (they are on eBird already; --include-imported writes them)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrote %1 sightings to %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrote %1 life-list rows to %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wingfolio: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio, a journal for bird watchers: sightings and life lists, articles, pictures and web links filed under birds and other topics.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows this help and ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the version and ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keeps the journal (aviary.mdb) and its Images folder in &lt;folder&gt; instead of the usual data folder. A new journal is made there when it holds none.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How long the splash window shows (ms).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints &quot;shown&quot; and ends once the main window is first painted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints the resident memory of the idle main window and ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imports eBird&apos;s &quot;My eBird Data&quot; (the .csv or the .zip it comes in) into the journal without opening a window, prints a summary and ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes the sightings in eBird Record Format (extended), for upload to eBird, and ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --export-ebird: only sightings from this date on (YYYY-MM-DD).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --export-ebird: only sightings up to this date (YYYY-MM-DD).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --export-ebird: also the sightings imported from eBird (left out otherwise: they are on eBird already).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes every sighting, with all its columns, as CSV and ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes the life lists of the world and of the active areas as CSV and ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wingfolio: %1
Try &apos;wingfolio --help&apos;.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wingfolio: unexpected argument &apos;%1&apos;
Try &apos;wingfolio --help&apos;.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wingfolio: --%1 takes a date as YYYY-MM-DD, not &apos;%2&apos;
Try &apos;wingfolio --help&apos;.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the program in the translation of &lt;file&gt; (a .qm file made by lrelease) instead of the one for the language of the system.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Articles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where it was seen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outings made (one a checklist): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — %2 (%3 species)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 species, %2 of them lifers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 species</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lifer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first of the year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must choose an outing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no outing “%1”: choose one from the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>article</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>articles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ha</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 observers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all species reported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No date (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::DateField</name>
    <message>
        <source>Choose the day from a calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is not a date. Type the day as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::EntryFrame</name>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a New Internet Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editing Current Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving the link. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a New Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editing Image Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a new article</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editing Current Article</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving the article. Error # </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::EntryViewer</name>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>District</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State/Prov</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Region</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::MapView</name>
    <message>
        <source>Species</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 species, %3 sightings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::NodeModel</name>
    <message>
        <source>Key is not unique in collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Element not found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::PhotoFile</name>
    <message>
        <source>is a symbolic link, which is not followed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a picture the journal takes (JPEG, PNG, TIFF, WebP or BMP)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a picture: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is named as %1 but holds %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is a damaged JPEG: it ends before the picture does</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has no size: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is %1 × %2 pixels, over 100 megapixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be decoded: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::PhotoImport</name>
    <message>
        <source>has no bird to be filed under</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be stored: the name %1 is taken in Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be copied into Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be decoded: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::PictureView</name>
    <message>
        <source>Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit the picture to the area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actual Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the picture at its actual size</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::ProposedOutingsModel</name>
    <message>
        <source>(no site)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Species</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::QtStatisticsCharts</name>
    <message>
        <source>Growth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New species per year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New per Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Species per year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Species per Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top Places</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::SightingGridModel</name>
    <message>
        <source>Photographed: click the mark, or press Space, to see the picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::Startup</name>
    <message>
        <source>This journal is stored in the older Access (Jet) format. Import it now? The original file is kept as aviary-jet.mdb.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bringing the journal up to date...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal %1 is already open in another window of Wingfolio. Use that window, or close it and start Wingfolio again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio cannot make its lock file beside the journal %1: the folder cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing the old journal...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing the old journal: %1, %2 rows</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::TreePane</name>
    <message>
        <source>All Entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Articles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Internet Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Region Life Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country Life Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State Life Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>District Life Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In My Birds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In Other Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The year or month the list shows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Area: the world or one of the active areas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photographed Species</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::TripReport</name>
    <message>
        <source>no date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trip Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 species, %2 of them lifers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 species</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lifer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first of the year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All species of the trip: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report cannot be written to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 cannot be made for the report&apos;s pictures.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture %1 cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::cDIBSection</name>
    <message>
        <source>I don&apos;t know how to put a DIB on the clipboard! Copy as bitmap instead!!!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmAbout</name>
    <message>
        <source>About Wingfolio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web Page : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email Support : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bird species list: AviList Core Team. 2025. AviList: The Global Avian Checklist, v2025.&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;br&gt;Licensed under CC BY 4.0: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;br&gt;Changed: only species-rank rows, with their sequence, English name, scientific name, order and family, are included.&lt;br&gt;&lt;br&gt;Wingfolio is free software: you can redistribute it and/or modify it under the GNU General Public License, version 3 or later (GPL-3.0-or-later).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmFont</name>
    <message>
        <source>Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stri&amp;keout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmGroupOutings</name>
    <message>
        <source>&amp;Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Into Outings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sightings below are in no outing. Each row would become one outing of that day at that site. Untick those to leave as they are (Space ticks or unticks the rows chosen).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tick &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tick &amp;None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 outing ticked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 outings ticked.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmHelp</name>
    <message>
        <source>Wingfolio Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find a topic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmImportPictures</name>
    <message>
        <source>&amp;Accept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bird</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bird:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;ighting:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each picture is filed under the bird of the sighting it was taken at, when the day and place it was taken say which. Choose rows to change their bird, sighting or title.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>choose its bird</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ready, to be made JPEG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 ready, %3 without a bird, %4 refused.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no bird “%1” in the journal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was imported. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not imported:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmLink</name>
    <message>
        <source>Web Address (URL)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must enter a title for the Internet Link.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter a Title</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmMain</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New &amp;Sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New &amp;Article</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New &amp;Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Internet &amp;Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back Up Journal...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore From Backup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Old &amp;Journal...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import &amp;eBird Data...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;view eBird Names...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Current Entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete Current Entry	Del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit &amp;Subject Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xpand All Nodes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Collapse All Nodes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Custom Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject &amp;Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Web Browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Birds &amp;Taxonomically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Search For Help On...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keys and Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Article</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Related Entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ex&amp;port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For &amp;eBird (Record Format)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sightings (CSV)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Life Lists (CSV)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag to change the width of the panes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Wingfolio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Old Journal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access journals (*.mdb);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio imports an old journal only into a new journal that holds nothing but the world list. This journal already holds entries or sightings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing the old journal...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing the old journal: %1, %2 rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The old journal has been imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking the journal...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backing up...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backing up: %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio cannot go on with the journal &quot;%1&quot;.

The file is damaged (%2).

Wingfolio will not write to it. %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No backup today: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back Up Journal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio backups (*.zip);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A backup cannot take the journal&apos;s own place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal and its %1 have been saved in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore From Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wingfolio backups (*.zip *.mdb);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a Wingfolio journal or backup.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the journal with the backup of %1? The journal as it is now, with its pictures, is kept as a backup too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The journal has been restored from the backup of %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error deleting. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error deleting record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error deleteing entry. Record not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you really want to delete the current entry?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete current Entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to erase the image from your computer?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This will delete all the sightings for this bird. If you want to delete only one sighting, click the sighting in the right hand window, then click on DELETE. Do you wish to delete all sightings now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete All Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the sighting of %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Sighting History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My eBird Data (*.csv *.zip);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing eBird records...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 under %2 match no bird of the world list by both their names. Review them now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;view eBird Names (%1)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To review: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 eBird records wait for their names to be reviewed (File, Review eBird Names)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export for eBird</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>eBird Record Format (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Life Lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 written to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 written to %2 files, each under 1 MB as eBird&apos;s upload asks: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

%1 imported from eBird %2 left out: %3 on eBird already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>they are</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sightings are written in eBird Record Format, ready for eBird&apos;s upload page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Only sightings dated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Include sightings imported from eBird</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are on eBird already: uploaded again, each would be there twice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Year List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Month List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Birds of the World Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Life List Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no entries that match your search criteria.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search Unsuccessful</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>World List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Region Life List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country Life List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State Life List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>District Life List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Life List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Loading Data. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error loading Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Find the Information for this item.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The web pane runs without the web engine&apos;s sandbox.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web Browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a bird or a topic in the list first: its page shows what the journal holds on it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the outing of %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Outing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Group Into Outings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Into Outings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every dated sighting is in an outing already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 made, with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The outings could not be made. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its sighting stays in the journal, in no outing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its %1 sightings stay in the journal, in no outing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filed under it, and deleted with it: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> at </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export &amp;Trip Report...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printing module cannot be loaded: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is nothing shown to print.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Trip Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &amp;outing shown: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &amp;outing shown (choose one in the Outings list)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Every outing dated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved as PDF, or as a web page (.html) with its pictures in a folder beside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no outings from %1 to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF documents (*.pdf);;Web pages (*.html)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trip report was not written. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trip report of %1 was written to %2, its pictures to %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trip report of %1 was written to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pri&amp;nt...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Pi&amp;ctures...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures (*.jpg *.jpeg *.JPG *.JPEG *.png *.tif *.tiff *.webp *.bmp);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no files there to import.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking at the pictures...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photographed Species</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures as T&amp;humbnails</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Images (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmNewBird</name>
    <message>
        <source>&amp;Use This Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes, Add It</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Bird</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not in the world list. Add it as a new bird?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Or did you mean:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmOptions</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active Life Lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internet Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Region</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State/Prov</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>District</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search Engine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Dates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Loading Data. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error loading Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving the options. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Map</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>England = United Kingdom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country &amp;names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One a line: a country name your sightings use, &quot;=&quot;, and the country of the map it means</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 of the country names is not &quot;name = country&quot; (England = United Kingdom).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is no country of the map (line %2 of the country names).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmPic</name>
    <message>
        <source>Click Here To Paste Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click, or press Ctrl+V, to paste the picture copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture file &quot;%1&quot; cannot be read; only the title can be changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No picture in memory. Make sure you have properly copied a picture into the Windows Clipboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Pasting Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must enter a title for the article.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save the picture to the file: &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Si&amp;ghting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no date</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmRelated</name>
    <message>
        <source>Related Entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Sighting History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Loading Data. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error loading Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Find the Information for this item.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing Data</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmRestore</name>
    <message>
        <source>: %1 seen, %2, %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bird</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>birds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, without pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore From Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no backups of this journal yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the backup to bring back:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Other File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore a backup kept elsewhere: a zip made by Back Up Journal, or a journal file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmReviewNames</name>
    <message>
        <source>&amp;File Under This Bird</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Split by Country...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add as &amp;New Bird</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;hange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Review eBird Names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scientific Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Places</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Countries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The birds these names may mean:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bird:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filed Under</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &amp;under:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Choices Made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No eBird records are waiting: every one is filed under a bird.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 under %2 match no bird of the world list by both their names. Choose the bird each pair of names means.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the bird these records go under.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not in the world list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Split by Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records of “%1” (%2) in the countries ticked go under one bird, the rest under another.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In the countries &amp;ticked:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Elsewhere:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add “%1” (%2) to the world list as a new bird, with its %3 records?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmSearch</name>
    <message>
        <source>&amp;Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find the word(s)  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Article</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must enter a word or phrase to search for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing Search Phrase</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmSight</name>
    <message>
        <source>New Sighting Entry for :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save and &amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add new Sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a number, or X for present</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store this sighting and start the next of the same day and place (Ctrl+Return)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bird</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>District</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State/Prov</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Region</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adult</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Male</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Female</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Immature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sighting of </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must choose a bird name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is not a time of day. Type it as HH:MM.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A count is a number, or X for present.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The date is in the future. Save it anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sighting is no longer in the journal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving the sighting. Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HH:MM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>degrees, north positive (52.65)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>degrees, east positive (-0.64)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A latitude is a number of degrees from -90 (south) to 90 (north).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A longitude is a number of degrees from -180 (west) to 180 (east).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The outing of this day and site the sighting belongs to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2 (%3 species)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New outing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmStatistics</name>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Area:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Chart...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 species, %2 at %3; %4 in the journal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sightings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>places</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG drawing (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart could not be written to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Map</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Places as &amp;dots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The places with coordinates, a dot each, instead of the countries shaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not on the map: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>countries</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmSubject</name>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Subject Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error # </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Birds of the World</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renaming “%1” to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename “%1” to “%2”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no subject to change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A subject needs a name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is already a subject “%1”. Merge “%2” into it? Its entries and sightings move to “%1” and “%2” is removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merge Subjects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject Text Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no subject to delete.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete “%1” with %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Subject</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wf::frmText</name>
    <message>
        <source>Select Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left Justify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Center Justify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right Justify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Article</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must enter a title for the article.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
