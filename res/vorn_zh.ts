<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>vorn</name>
    <message>
        <location filename="../shell/StoreList.h" line="20"/>
        <source>No scale selected!</source>
        <translation>秤号未选择!</translation>
    </message>
    <message>
        <location filename="../shell/StoreList.h" line="24"/>
        <source>Undefined - vorn</source>
        <translation>未定义 - vorn</translation>
    </message>
    <message>
        <location filename="../editors/text/HeaderBottomText.h" line="32"/>
        <source>Transfer error!</source>
        <translation>传送错误!</translation>
    </message>
</context>
</TS>
