<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_cell_counter_sent">
        <source>Sent</source>
        <translation>Sent</translation>
    </message>
    <message id="qtn_cell_counter_received">
        <source>Received</source>
        <translation>Received</translation>
    </message>
    <message id="qtn_comm_megabytes">
        <extracomment>%1 is the amount in megabytes, already formatted in the user's locale</extracomment>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
</context>
</TS>
