<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_comm_cellular_counters">
        <extracomment>Page header and dialog title</extracomment>
        <source>Data counters</source>
        <translation>Data counters</translation>
    </message>
    <message id="qtn_cell_counter_data_title">
        <extracomment>Title of the home and of the roaming section</extracomment>
        <source>Packet data</source>
        <translation>Packet data</translation>
    </message>
    <message id="qtn_cell_counter_psd_title">
        <source>Home network</source>
        <translation>Home network</translation>
    </message>
    <message id="qtn_cell_counter_roaming_title">
        <source>Roaming</source>
        <translation>Roaming</translation>
    </message>
    <message id="qtn_cell_reset_counters">
        <extracomment>Button that resets a network's counters or clears the call timers</extracomment>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message id="qtn_cell_last_reset">
        <source>Last reset</source>
        <translation>Last reset</translation>
    </message>
    <message id="qtn_cell_counter_display_warning">
        <source>Data limit warning</source>
        <translation>Data limit warning</translation>
    </message>
    <message id="qtn_cell_counter_mb_title">
        <source>Warning limit (MB)</source>
        <translation>Warning limit (MB)</translation>
    </message>
    <message id="qtn_cell_counters_never">
        <extracomment>Shown as the last reset date when there was none</extracomment>
        <source>Never</source>
        <translation>Never</translation>
    </message>
    <message id="qtn_cell_reset_counters_question">
        <source>Reset counters?</source>
        <translation>Reset counters?</translation>
    </message>
    <message id="qtn_cell_reset">
        <extracomment>Title of the reset and clear confirmation boxes</extracomment>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message id="qtn_comm_command_done">
        <extracomment>Action key of the keyboard while the limit field is edited</extracomment>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message id="qtn_cell_call_timers">
        <source>Call timers</source>
        <translation>Call timers</translation>
    </message>
    <message id="qtn_cell_dialled">
        <source>Dialled calls</source>
        <translation>Dialled calls</translation>
    </message>
    <message id="qtn_cell_received">
        <source>Received calls</source>
        <translation>Received calls</translation>
    </message>
    <message id="qtn_cell_all">
        <source>All calls</source>
        <translation>All calls</translation>
    </message>
    <message id="qtn_cell_clear_timers_question">
        <source>Clear call timers?</source>
        <translation>Clear call timers?</translation>
    </message>
</context>
</TS>
