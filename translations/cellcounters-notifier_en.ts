<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_cellnotifier_limit_title">
        <source>Data warning limit reached</source>
        <translation>Data warning limit reached</translation>
    </message>
    <message id="qtn_cellnotifier_home_used">
        <extracomment>%1 is the traffic since the last reset and %2 the warning limit, in megabytes, already formatted in the user's locale</extracomment>
        <source>Home network: %1 MB used, warning limit %2 MB</source>
        <translation>Home network: %1 MB used, warning limit %2 MB</translation>
    </message>
    <message id="qtn_cellnotifier_roaming_used">
        <extracomment>%1 is the traffic since the last reset and %2 the warning limit, in megabytes, already formatted in the user's locale</extracomment>
        <source>Roaming: %1 MB used, warning limit %2 MB</source>
        <translation>Roaming: %1 MB used, warning limit %2 MB</translation>
    </message>
</context>
</TS>
