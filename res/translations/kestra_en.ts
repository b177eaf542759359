<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>kestra</name>
    <message>
        <location filename="../../src/core/codec/codecs.h" line="+35"/>
        <location filename="../../src/core/forms/dtmf_decode_form.cpp" line="+59"/>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <location filename="../../src/core/document/dat_file.h" line="+15"/>
        <source>无法打开文件“%1”：%2</source>
        <translation>Cannot open the file “%1”: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>文件“%1”不是有效的数据文件：只有 %2 字节，需要 %3 字节。</source>
        <translation>The file “%1” is not a valid data file: it has only %2 of the %3 bytes needed.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法保存文件“%1”：%2</source>
        <translation>Cannot save the file “%1”: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>文件“%1”有 %2 字节，比数据文件的 %3 字节长：只读入了前 %3 字节，其余的字节没有读入。</source>
        <translation>The file “%1” has %2 bytes, more than the %3 bytes of a data file: only its first %3 bytes were read; the rest was not.</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+105"/>
        <location filename="../../src/core/grid/channel_grid.cpp" line="+14"/>
        <location filename="../../src/ui/app/arrange_texts.h" line="+23"/>
        <source>接收频率</source>
        <translation>RX frequency</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/batch_channel_form.cpp" line="+19"/>
        <source>递增</source>
        <translation>Up</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>递减</source>
        <translation>Down</translation>
    </message>
    <message>
        <location line="+79"/>
        <source>范围</source>
        <translation>Range</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../src/ui/app/ui_texts.h" line="+245"/>
        <source>A段</source>
        <translation>Band A</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/ui/app/ui_texts.h" line="+1"/>
        <source>B段</source>
        <translation>Band B</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+1"/>
        <source>从信道</source>
        <translation>From channel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>到信道</source>
        <translation>To channel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收起始频率</source>
        <translation>RX start frequency</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收步进</source>
        <translation>RX step</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收步进方向</source>
        <translation>RX step direction</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+1"/>
        <location filename="../../src/core/grid/channel_grid.cpp" line="+1"/>
        <location filename="../../src/ui/app/arrange_texts.h" line="+2"/>
        <source>发射频率</source>
        <translation>TX frequency</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+14"/>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>偏移频率(MHz)</source>
        <translation>Offset (MHz)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/ui/app/ui_texts.h" line="-49"/>
        <source>起始频率(MHz)</source>
        <translation>Start frequency (MHz)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>偏移频率</source>
        <translation>Offset</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>偏移方向</source>
        <translation>Shift</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>加</source>
        <translation>+</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>减</source>
        <translation>-</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射起始频率</source>
        <translation>TX start frequency</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射步进</source>
        <translation>TX step</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射步进方向</source>
        <translation>TX step direction</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+1"/>
        <location filename="../../src/core/grid/channel_grid.cpp" line="+1"/>
        <source>接收信令</source>
        <translation>RX CTCSS/DCS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收随机</source>
        <translation>RX random</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收间隔</source>
        <translation>RX interval</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收间隔方向</source>
        <translation>RX interval direction</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+1"/>
        <location filename="../../src/core/grid/channel_grid.cpp" line="+1"/>
        <source>发射信令</source>
        <translation>TX CTCSS/DCS</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/ui/app/ui_texts.h" line="+5"/>
        <source>起始信令</source>
        <translation>Start tone</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射起始信令</source>
        <translation>TX start tone</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>发射随机</source>
        <translation>TX random</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射间隔</source>
        <translation>TX interval</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射间隔方向</source>
        <translation>TX interval direction</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="-46"/>
        <location filename="../../src/core/grid/channel_grid.cpp" line="+1"/>
        <source>功率</source>
        <translation>Power</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+20"/>
        <location filename="../../src/core/grid/channel_grid.cpp" line="+1"/>
        <source>扫描</source>
        <translation>Scan</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="-18"/>
        <location filename="../../src/core/grid/channel_grid.cpp" line="+1"/>
        <source>带宽</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+4"/>
        <source>信令类型</source>
        <translation>Signalling</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="-2"/>
        <source>繁忙锁定</source>
        <translation>Busy lock</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+12"/>
        <source>PTT ID</source>
        <translation>PTT ID</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="-9"/>
        <source>声控</source>
        <translation>VOX</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+15"/>
        <source>中继模式</source>
        <translation>Repeater mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="-13"/>
        <source>语音处理</source>
        <translation>Voice processing</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+47"/>
        <location filename="../../src/core/interchange/channel_print.cpp" line="+14"/>
        <source>信道名字</source>
        <translation>Channel name</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>按信道号</source>
        <translation>By channel number</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <location filename="../../src/core/grid/channel_grid.cpp" line="+1"/>
        <source>繁忙</source>
        <translation>Busy</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="-55"/>
        <location filename="../../src/core/grid/channel_grid.h" line="+43"/>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../src/core/grid/channel_grid.h" line="+1"/>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../../src/core/forms/dtmf_decode_form.cpp" line="-14"/>
        <location filename="../../src/core/forms/dtmf_encode_form.cpp" line="+58"/>
        <location filename="../../src/core/forms/optional_features_form.cpp" line="+15"/>
        <source>开</source>
        <translation>On</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>压扩</source>
        <translation>Compander</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>扰频1</source>
        <translation>Scrambler 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>扰频2</source>
        <translation>Scrambler 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>扰频3</source>
        <translation>Scrambler 3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>扰频4</source>
        <translation>Scrambler 4</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>扰频5</source>
        <translation>Scrambler 5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>扰频6</source>
        <translation>Scrambler 6</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>扰频7</source>
        <translation>Scrambler 7</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>扰频8</source>
        <translation>Scrambler 8</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>发射前</source>
        <translation>TX start</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>发射后</source>
        <translation>TX end</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>两者</source>
        <translation>Both</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../../src/core/grid/channel_grid.h" line="+1"/>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../src/core/grid/channel_grid.h" line="+1"/>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>倒频</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>脱网</source>
        <translation>Talkaround</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>信道号</source>
        <translation>Channel No.</translation>
    </message>
    <message>
        <location line="-37"/>
        <location filename="../../src/core/grid/channel_grid.h" line="+1"/>
        <source>宽</source>
        <translation>Wide</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../src/core/grid/channel_grid.h" line="+1"/>
        <source>窄</source>
        <translation>Narrow</translation>
    </message>
    <message>
        <location line="-53"/>
        <location filename="../../src/core/forms/dtmf_decode_form.cpp" line="-6"/>
        <location filename="../../src/core/forms/dtmf_encode_form.cpp" line="-7"/>
        <location line="+7"/>
        <location filename="../../src/core/forms/optional_features_form.cpp" line="-1"/>
        <location filename="../../src/core/grid/channel_grid.h" line="+1"/>
        <source>关</source>
        <translation>Off</translation>
    </message>
    <message>
        <location line="+55"/>
        <location filename="../../src/core/forms/optional_features_form.cpp" line="+113"/>
        <location filename="../../src/core/grid/channel_grid.h" line="+1"/>
        <source>载波</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <location filename="../../src/core/grid/channel_grid.h" line="+1"/>
        <source>QT/DQT</source>
        <translation>QT/DQT</translation>
    </message>
    <message>
        <location filename="../../src/link/link_texts.h" line="+11"/>
        <source>无法打开串口</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通信出错</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>当前对讲机数据无效, 请先写频.</source>
        <translation>The radio’s data is not valid. Write to the radio first.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>初始化数据成功</source>
        <translation>Data initialised.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读数据成功</source>
        <translation>Data read.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写数据成功</source>
        <translation>Data written.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>对讲机中的数据可能只写入了一部分，请重新写入。</source>
        <translation>The radio may now hold partly written data. Write to it again.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>对讲机中的数据与发送的不同，请重新写入。</source>
        <translation>The radio now holds data other than what was sent. Write to it again.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>写频校验失败</source>
        <translation>Verifying the write failed</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写频完成，已校验</source>
        <translation>Writing to the radio is complete and verified</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>已读回并校验 0x0000–0x2FFF、0x3E00–0x3E2F 和 0x3ED0–0x3FFF（读频、解码表和校准块的范围）；0x3000–0x3DFF 和 0x3E30–0x3ECF 无法读回，未校验。</source>
        <translation>Read back and verified 0x0000–0x2FFF, 0x3E00–0x3E2F and 0x3ED0–0x3FFF (what a read, the decoder table and the calibration block cover); 0x3000–0x3DFF and 0x3E30–0x3ECF cannot be read back and were not verified.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>写入前未能读出对讲机中的原有数据，没有写入任何数据。</source>
        <translation>Nothing was written: the radio’s data could not be read before writing.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>写入前对讲机中的数据保存在“%1”。</source>
        <translation>The radio’s data from before the write is in “%1”.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>读数据</source>
        <translation>Read Data</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写数据</source>
        <translation>Write Data</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>初始化数据</source>
        <translation>Initialise Data</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/ui_texts.h" line="-188"/>
        <source>写频软件</source>
        <translation>Programming Software</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无标题</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>编程</source>
        <translation>Program</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>视图</source>
        <translation>View</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>窗口</source>
        <translation>Window</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+149"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="-148"/>
        <source>存为</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>另存为...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打印设置...</source>
        <translation>Print Setup...</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+122"/>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location line="-121"/>
        <source>打印...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打印预览...</source>
        <translation>Print Preview...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出 PDF...</source>
        <translation>Export PDF...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导入 CSV…</source>
        <translation>Import CSV…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出 CSV…</source>
        <translation>Export CSV…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开备份...</source>
        <translation>Open Backup...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>比较...</source>
        <translation>Compare...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>信道信息</source>
        <translation>Channels</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>中文</source>
        <translation>中文</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kestra 重新启动后使用所选的语言。</source>
        <translation>Kestra uses the chosen language from its next start.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>无法把所选的语言保存到 %1，Kestra 下次启动时不会使用它。</source>
        <translation>The chosen language could not be saved to %1; Kestra will not use it at its next start.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>无法把设置保存到 %1：最近打开的文件、起始文件夹和写后校验的选择在 Kestra 下次启动时不会保留。</source>
        <translation>The settings could not be saved to %1: the recent files, the start folder and the choice of Verify after writing will not be kept at Kestra&apos;s next start.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>原因：%1</source>
        <translation>Reason: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>无法把所选的端口保存到 %1，Kestra 下次启动时仍使用原来的端口。</source>
        <translation>The chosen port could not be saved to %1; at its next start Kestra uses the port saved before.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>层叠</source>
        <translation>Cascade</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>平铺</source>
        <translation>Tile</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>下一个窗口</source>
        <translation>Next Window</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>上一个窗口</source>
        <translation>Previous Window</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>虚拟对讲机</source>
        <translation>Virtual radio</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>读频和写频都与程序内的虚拟对讲机（%1）交换，不是接在电脑上的对讲机</source>
        <translation>Reading and writing go to the virtual radio inside the program (%1), not to a radio on a cable</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>文件“%1”在本窗口打开或保存之后已被另一个窗口或程序修改。
要用本窗口的内容覆盖它吗？</source>
        <translation>The file “%1” has been changed by another window or program since this window opened or saved it.
Replace it with this window’s content?</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>文件“%1”在本窗口打开或保存之后已被另一个窗口或程序修改，本窗口显示的仍是原来的内容。
要重新载入这个文件吗？</source>
        <translation>The file “%1” has been changed by another window or program since this window opened or saved it; the window still shows what it held before.
Reload the file?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>重新载入</source>
        <translation>Reload</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写入本窗口的内容</source>
        <translation>Write This Window’s Content</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>比较本窗口的内容</source>
        <translation>Compare This Window’s Content</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>重新载入文件</source>
        <translation>Reload File</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>保存到这个文件会丢掉其余的字节。</source>
        <translation>Saving over this file would drop the rest.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>文件“%1”有 %2 字节，比数据文件的 %3 字节长。保存只写入 %3 字节，其余的字节会丢失。
要用本窗口的内容覆盖它吗？</source>
        <translation>The file “%1” has %2 bytes, more than the %3 bytes of a data file. Saving writes only %3 bytes; the rest would be lost.
Replace it with this window’s content?</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>文件已修改，是否保存？</source>
        <translation>The file has been changed. Save it?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不保存</source>
        <translation>Don’t Save</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>编辑单元格</source>
        <translation>Edit Cell</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>请在“%1 → %2”中选择对讲机所连的串口。</source>
        <translation>Choose the port the radio is connected to in “%1 → %2”.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>读频完成</source>
        <translation>Reading from the radio is complete</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写频完成</source>
        <translation>Writing to the radio is complete</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>初始化完成</source>
        <translation>Initialisation is complete</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1；备份失败：%2</source>
        <translation>%1; the backup failed: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>无法保存要发送的映像的备份：
%1

不保存备份，仍然发送到对讲机吗？</source>
        <translation>The backup of the image to be sent could not be saved:
%1

Send it to the radio without a backup?</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>无法保存对讲机中原有数据的备份：
%1

不保存备份，仍然写入对讲机吗？</source>
        <translation>The backup of the radio’s data could not be saved:
%1

Write to the radio without a backup?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>系统没有提供用户数据文件夹</source>
        <translation>The system provides no folder for user data</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>选择文件...</source>
        <translation>Choose File...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>最新备份</source>
        <translation>Latest Backup</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>选择一个文件，与当前文档比较。</source>
        <translation>Choose a file to compare with the current document.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>比较文件：%1</source>
        <translation>Compared with: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无差异</source>
        <translation>No differences</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%n 处差异。双击信道的差异，在表格中选中该信道。</source>
        <translation>
            <numerusform>%n difference. Double-click a channel’s difference to select that channel in the grid.</numerusform>
            <numerusform>%n differences. Double-click a channel’s difference to select that channel in the grid.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+34"/>
        <source>导入 %n 行，跳过 %1 行</source>
        <translation>
            <numerusform>%n row to import, %1 to skip</numerusform>
            <numerusform>%n rows to import, %1 to skip</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>无法导入 CSV 文件“%1”</source>
        <translation>Cannot import the CSV file “%1”</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法写入 CSV 文件“%1”</source>
        <translation>Cannot write the CSV file “%1”</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>CSV 导入 %1：%2</source>
        <translation>CSV import of %1: %2</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>已导出 %n 个信道到 %1</source>
        <translation>
            <numerusform>Exported %n channel to %1</numerusform>
            <numerusform>Exported %n channels to %1</numerusform>
        </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>纸张太窄，信道表放不下：部分数值会被截短（以“…”结尾）。
可在“打印设置”中改用横向、较宽的纸张或较窄的页边距。仍要继续吗？</source>
        <translation>The paper is too narrow for the channel list: some values will be cut short (ending in “…”).
In Print Setup you can choose landscape, a wider paper or narrower margins. Continue anyway?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>文件名中不能有双引号（&quot;）：请换一个名字</source>
        <translation>A file name cannot contain a double quote (&quot;): please choose another name</translation>
    </message>
    <message numerus="yes">
        <location line="+12"/>
        <source>有 %n 个信道的接收频率不在新的频段范围内，将被清除：%1
要使用新的频段范围吗？</source>
        <translation>
            <numerusform>%n channel receives outside the new band limits and will be cleared: %1
Use the new band limits?</numerusform>
            <numerusform>%n channels receive outside the new band limits and will be cleared: %1
Use the new band limits?</numerusform>
        </translation>
    </message>
    <message>
        <location line="-63"/>
        <source>节</source>
        <translation>Section</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>项</source>
        <translation>Item</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>当前</source>
        <translation>Current</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>比较文件</source>
        <translation>Compared file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>信道 %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>原始字节</source>
        <translation>Raw bytes</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>范围:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收频率:</source>
        <translation>RX frequency:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射频率:</source>
        <translation>TX frequency:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>接收步进 (kHz)</source>
        <translation>RX step (kHz)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射步进(KHz)</source>
        <translation>TX step (kHz)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收信令:</source>
        <translation>RX CTCSS/DCS:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射信令:</source>
        <translation>TX CTCSS/DCS:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>随机</source>
        <translation>Random</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>间隔</source>
        <translation>Interval</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>导入 CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>起始信道</source>
        <translation>First channel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保留位置</source>
        <translation>Keep locations</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>覆盖非空信道</source>
        <translation>Overwrite used channels</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>覆盖</source>
        <translation>Replaces</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>（列出前 %1 行）</source>
        <translation> (the first %1 rows are listed)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>无法写入该 PDF 文件</source>
        <translation>Cannot write this PDF file</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>已导出信道表到 %1</source>
        <translation>Exported the channel table to %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打印失败</source>
        <translation>Printing failed</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>已将信道表发送到打印机 %1</source>
        <translation>Sent the channel list to the printer %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>---</source>
        <translation>---</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/optional_features_form.cpp" line="-49"/>
        <location filename="../../src/ui/app/arrange_texts.h" line="-1"/>
        <source>名字</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A信道显示</source>
        <translation>Display A</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>B信道显示</source>
        <translation>Display B</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>主信道A/B</source>
        <translation>Main band</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>双频守候</source>
        <translation>Dual watch</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>双待发射信道</source>
        <translation>Dual watch TX</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>当前编辑</source>
        <translation>Selected band</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>当前活动</source>
        <translation>Active band</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>双待复位时间</source>
        <translation>Dual watch reset time</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>双频守候时间</source>
        <translation>Dual watch time</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>信道模式</source>
        <translation>Channel mode</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>开机信息显示方式</source>
        <translation>Power-on display</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>信息</source>
        <translation>Message</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>开机问候语编制</source>
        <translation>Power-on message</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>语音播报</source>
        <translation>Voice prompt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>提示音</source>
        <translation>Beep</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>结束提示音</source>
        <translation>Roger beep</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>电池省电</source>
        <translation>Battery save</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>静噪电平</source>
        <translation>Squelch level</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>步进 (kHz)</source>
        <translation>Step (kHz)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>发射限时 (min)</source>
        <translation>TX timeout (min)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>扫描模式</source>
        <translation>Scan resume</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>收音机监听</source>
        <translation>FM radio monitor</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>身份识别开关</source>
        <translation>ANI</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>尾音消除</source>
        <translation>Tail tone elimination</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>背光灯模式</source>
        <translation>Backlight mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>继续</source>
        <translation>Always</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>背光灯时间</source>
        <translation>Backlight time</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>背光灯颜色</source>
        <translation>Backlight colour</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>声控电平</source>
        <translation>VOX level</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>声控延迟时间 (s)</source>
        <translation>VOX delay (s)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>锁键模式</source>
        <translation>Key lock mode</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>键盘锁</source>
        <translation>Keypad lock</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>自动锁键盘</source>
        <translation>Auto keypad lock</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>尾音模式</source>
        <translation>Tail tone mode</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A段工作区</source>
        <translation>Band A work area</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>B段工作区</source>
        <translation>Band B work area</translation>
    </message>
    <message>
        <location line="+11"/>
        <location filename="../../src/ui/app/ui_texts.h" line="-201"/>
        <source>可选功能</source>
        <translation>Optional Features</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/ui_texts.h" line="+1"/>
        <source>DTMF</source>
        <translation>DTMF</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/model_info_form.cpp" line="+85"/>
        <source>机型信息</source>
        <translation>Model Information</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../../src/ui/app/ui_texts.h" line="+1"/>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A段下限</source>
        <translation>Band A lower limit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A段上限</source>
        <translation>Band A upper limit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>B段下限</source>
        <translation>Band B lower limit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>B段上限</source>
        <translation>Band B upper limit</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/ui_texts.h" line="+1"/>
        <source>收音机</source>
        <translation>FM Radio</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/param_tuning_form.cpp" line="+62"/>
        <source>V段发射功率驱动</source>
        <translation>VHF TX power drive</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>U段发射功率驱动</source>
        <translation>UHF TX power drive</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射音频信号</source>
        <translation>TX audio</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射增益</source>
        <translation>TX gain</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>窄带话音+亚音频偏</source>
        <translation>Narrow voice + tone deviation</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>宽带话音+亚音频偏</source>
        <translation>Wide voice + tone deviation</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>窄带模拟 亚音频偏</source>
        <translation>Narrow CTCSS deviation</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>窄带数字 亚音频偏</source>
        <translation>Narrow DCS deviation</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>宽带模拟 亚音频偏</source>
        <translation>Wide CTCSS deviation</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>宽带数字 亚音频偏</source>
        <translation>Wide DCS deviation</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收输入</source>
        <translation>RX input</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>接收输出</source>
        <translation>RX output</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>音量控制</source>
        <translation>Volume</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>正常音频输出</source>
        <translation>Normal audio out</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>扰频音频输出</source>
        <translation>Scrambler audio out</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>压扩音频输出</source>
        <translation>Compander audio out</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>信令幅度</source>
        <translation>Signalling level</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MIC 增益</source>
        <translation>MIC gain</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOD 增益</source>
        <translation>MOD gain</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>音频输入</source>
        <translation>Audio input</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>压扩压阈值</source>
        <translation>Compressor threshold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>压扩扩阈值</source>
        <translation>Expander threshold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>V段静噪低阈值</source>
        <translation>VHF squelch low threshold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>U段静噪低阈值</source>
        <translation>UHF squelch low threshold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>预加重</source>
        <translation>Pre-emphasis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>去加重</source>
        <translation>De-emphasis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RDA1846S HPF</source>
        <translation>RDA1846S HPF</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RDA1846S LPF</source>
        <translation>RDA1846S LPF</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RDA1846S RSSI</source>
        <translation>RDA1846S RSSI</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MCU HPF</source>
        <translation>MCU HPF</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MCU LPF</source>
        <translation>MCU LPF</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>测试模式</source>
        <translation>Test mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MCU 预加重</source>
        <translation>MCU pre-emphasis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MCU 去加重</source>
        <translation>MCU de-emphasis</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>静噪</source>
        <translation>Squelch</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> sql 1</source>
        <translation> sql 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source> sql 9</source>
        <translation> sql 9</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>发射功率</source>
        <translation>TX power</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> 低功率</source>
        <translation> Low power</translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 高功率</source>
        <translation> High power</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>静噪检测</source>
        <translation>Squelch detection</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> 静噪检测1</source>
        <translation> Squelch detection 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 静噪检测2</source>
        <translation> Squelch detection 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 静噪检测3</source>
        <translation> Squelch detection 3</translation>
    </message>
    <message>
        <location line="+15"/>
        <location filename="../../src/ui/app/ui_texts.h" line="+1"/>
        <source>参数调节</source>
        <translation>Parameter Tuning</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>低端</source>
        <translation>Low end</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>中端</source>
        <translation>Middle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>高端</source>
        <translation>High end</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>宽带 高</source>
        <translation>Wide high</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>宽带 低</source>
        <translation>Wide low</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>窄带 高</source>
        <translation>Narrow high</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>窄带 低</source>
        <translation>Narrow low</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/ui_texts.h" line="+1"/>
        <source>DTMF 初始化</source>
        <translation>DTMF Initialisation</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>读频</source>
        <translation>Read from Radio</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写频</source>
        <translation>Write to Radio</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口</source>
        <translation>Serial Port</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>状态栏</source>
        <translation>Status Bar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>分隔栏</source>
        <translation>Split Bar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关于...</source>
        <translation>About...</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>IE Control Bar</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>批量生成</source>
        <translation>Batch Channels</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/batch_channel_form.cpp" line="-48"/>
        <location filename="../../src/core/forms/channel_edit_form.cpp" line="+28"/>
        <location filename="../../src/ui/app/ui_texts.h" line="+1"/>
        <source>信道编辑</source>
        <translation>Edit Channel</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/ui_texts.h" line="+1"/>
        <source>初始化</source>
        <translation>Initialise</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>所有数据将会被清除！</source>
        <translation>All data will be erased!</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>端口设置</source>
        <translation>Port Setup</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../../src/ui/dialogs/port_setup_dlg.cpp" line="+32"/>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>COM%1</source>
        <translation>COM%1</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <location filename="../../src/cli/args.cpp" line="+56"/>
        <location filename="../../src/cli/arrange_commands.cpp" line="+91"/>
        <location filename="../../src/cli/form_commands.cpp" line="+171"/>
        <source>选项 %1 需要一个值</source>
        <translation>option %1 needs a value</translation>
    </message>
    <message>
        <location line="+8"/>
        <location filename="../../src/ui/app/command_line.cpp" line="+114"/>
        <source>选项 %1 不带值</source>
        <translation>option %1 takes no value</translation>
    </message>
    <message>
        <location line="+5"/>
        <location filename="../../src/cli/arrange_commands.cpp" line="-7"/>
        <location filename="../../src/cli/form_commands.cpp" line="-5"/>
        <location filename="../../src/cli/main.cpp" line="+133"/>
        <source>未知选项 %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>用“kestra-cli --help”查看更多信息。</source>
        <translation>Try &apos;kestra-cli --help&apos; for more information.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>无法写入标准输出：%s</source>
        <translation>Cannot write to standard output: %s</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>输出文件 %1 就是输入文件 %2</source>
        <translation>the output %1 is the input file %2</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>不写入 %1：它有 %2 字节，比数据文件的 %3 字节长，写入会丢掉其余的字节</source>
        <translation>Not writing %1: it has %2 bytes, more than the %3 bytes of a data file; writing would drop the rest</translation>
    </message>
    <message>
        <location filename="../../src/core/document/file_io.h" line="+24"/>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/dtmf_code_list_form.cpp" line="+20"/>
        <location filename="../../src/core/forms/dtmf_dialog.cpp" line="+59"/>
        <source>自动拨号</source>
        <translation>Auto Dial</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/core/forms/dtmf_dialog.cpp" line="-2"/>
        <location filename="../../src/core/forms/dtmf_encode_form.cpp" line="-22"/>
        <source>编码</source>
        <translation>Encode</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>自身 ID</source>
        <translation>Own ID</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>分隔符</source>
        <translation>Separator</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>呼叫ID</source>
        <translation>Call ID</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ANI 呼叫</source>
        <translation>ANI Call</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/dtmf_decode_form.cpp" line="-5"/>
        <location filename="../../src/core/forms/dtmf_dialog.cpp" line="+1"/>
        <source>解码</source>
        <translation>Decode</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>组呼码</source>
        <translation>Group code</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>遥毙激活</source>
        <translation>Stun enabled</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>遥毙类型</source>
        <translation>Stun type</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>禁止发射</source>
        <translation>TX inhibit</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>禁止收发</source>
        <translation>TX/RX inhibit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>遥毙</source>
        <translation>Stun</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>遥毙码</source>
        <translation>Stun code</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>自动复位时间 (s)</source>
        <translation>Auto reset time (s)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>解码响应</source>
        <translation>Decode response</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>提醒</source>
        <translation>Alert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>回复</source>
        <translation>Transpond</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>提醒+回复</source>
        <translation>Alert + transpond</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>解码时间 (s)</source>
        <translation>Decode time (s)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>报警码</source>
        <translation>Alarm code</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/dtmf_encode_form.cpp" line="+6"/>
        <source>速率 (digit/s)</source>
        <translation>Rate (digit/s)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>首位数码延迟时间 (ms)</source>
        <translation>First digit delay (ms)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>首位数码时间 (ms)</source>
        <translation>First digit time (ms)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>*和#音 (ms)</source>
        <translation>* and # tone (ms)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>侧音</source>
        <translation>Side tone</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/core/forms/optional_features_form.cpp" line="-33"/>
        <source>按键</source>
        <translation>Keys</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>按键+ID</source>
        <translation>Keys + ID</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>PTT ID 发射开始</source>
        <translation>PTT ID at TX start</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PTT ID 发射结束</source>
        <translation>PTT ID at TX end</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>等待回复</source>
        <translation>Wait for reply</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>等待回复时间 (s)</source>
        <translation>Reply wait time (s)</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/dtmf_init_form.cpp" line="+31"/>
        <source>DTMF 解码初始化</source>
        <translation>DTMF Decoder Initialisation</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>L_group high threshold</source>
        <translation>L_group high threshold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>L_group low threshold</source>
        <translation>L_group low threshold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>H_group high threshold</source>
        <translation>H_group high threshold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>H_group low threshold</source>
        <translation>H_group low threshold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power clipper level</source>
        <translation>Power clipper level</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power clipper time</source>
        <translation>Power clipper time</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Total_P diff DTMF_P threshold</source>
        <translation>Total_P diff DTMF_P threshold</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Non-power clipper</source>
        <translation>Non-power clipper</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Non-power hold time 1</source>
        <translation>Non-power hold time 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Non-power hold time 2</source>
        <translation>Non-power hold time 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Twist</source>
        <translation>Twist</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/fm_radio_form.cpp" line="+35"/>
        <source>收音机配置</source>
        <translation>FM Radio Settings</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>当前信道</source>
        <translation>Current channel</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>当前频率</source>
        <translation>Current frequency</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../../src/core/forms/optional_features_form.cpp" line="-62"/>
        <location filename="../../src/core/interchange/channel_print.cpp" line="-1"/>
        <location filename="../../src/ui/app/ui_texts.h" line="+60"/>
        <source>信道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../src/core/forms/optional_features_form.cpp" line="+1"/>
        <location line="+78"/>
        <source>频率</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <location filename="../../src/core/grid/grid_clipboard.h" line="+27"/>
        <source>超出表格</source>
        <translation>beyond the grid</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不是频率</source>
        <translation>not a frequency</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不在频段内</source>
        <translation>outside the band</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>未知信令</source>
        <translation>unknown CTCSS/DCS code</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不是可选项</source>
        <translation>not one of the choices</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发射频率不能清空</source>
        <translation>the TX frequency cannot be cleared</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>信道为空</source>
        <translation>the channel is empty</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/ui_texts.h" line="-78"/>
        <location filename="../../src/ui/grid/channel_table_view.cpp" line="+31"/>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <location filename="../../src/ui/grid/channel_table_view.cpp" line="+1"/>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>以下单元格未能粘贴：</source>
        <translation>These cells could not be pasted:</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>另有 %n 个单元格未列出</source>
        <translation>
            <numerusform>%n more cell not listed</numerusform>
            <numerusform>%n more cells not listed</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>以下信道已被清空（接收频率为空）：</source>
        <translation>These channels were cleared (empty RX frequency):</translation>
    </message>
    <message>
        <location filename="../../src/ui/widgets/channel_print.cpp" line="+20"/>
        <source>信道列表 — %1</source>
        <translation>Channel list — %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>第 %1 页 / 共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>没有信道</source>
        <translation>No channels</translation>
    </message>
    <message>
        <location filename="../../src/cli/diff_commands.cpp" line="+21"/>
        <source>%1：需要两个映像文件</source>
        <translation>%1: expected two image files</translation>
    </message>
    <message>
        <location line="+7"/>
        <location filename="../../src/cli/form_commands.cpp" line="+22"/>
        <location filename="../../src/cli/transfer_commands.cpp" line="+185"/>
        <source>%1：工厂密码不正确</source>
        <translation>%1: the factory password does not match</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>以配置文件输出差异：每个不同的项先是“; 项=A 中的文字”，再是“项=B 中的文字”；没有字段说明的字节放在 [raw] 节；退出状态 0 相同，1 不同，2 输入错误</source>
        <translation>print what differs as a profile: per differing key &apos;; KEY=text in A&apos; then &apos;KEY=text in B&apos;, and a [raw] section for bytes no field explains; exit 0 equal, 1 different, 2 bad input</translation>
    </message>
    <message>
        <location filename="../../src/cli/main.cpp" line="-97"/>
        <source>用法：kestra-cli [--lang zh|en] 命令 [选项] [文件]
不需要显示器，以脚本驱动 Kestra 的写频核心。

命令：
</source>
        <translation>Usage: kestra-cli [--lang zh|en] COMMAND [OPTIONS] [FILES]
Scripts the Kestra radio programming core without a display.

Commands:
</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>
选项：
  --help       显示本帮助并退出
  --version    显示版本并退出
  --lang zh|en 消息、报告和帮助所用的语言（默认跟随系统）；
               settings 和 diff 只在 --lang en 时输出英文标签，
               configure 接受所有语言的标签

退出状态：0 成功；1 操作失败（消息是标准错误上进度行之后的第一行）；
2 用法错误或输入文件无法使用。只有成功时才写输出文件。
进度写到标准错误：不是终端时每行一个百分比。
DEV 可以是 COM3、ttyUSB0、/dev/ttyUSB0 或任何设备路径。
</source>
        <translation>
Options:
  --help       show this help and exit
  --version    show the version and exit
  --lang zh|en the language of messages, reports and help (by default the
               system&apos;s); settings and diff print English labels only with
               --lang en, configure takes the labels of every language

Exit status: 0 success; 1 the operation failed (the message is the first
line on standard error after any progress lines); 2 bad usage or an input
file that cannot be used. An output file is written only on success.
Progress goes to standard error: a percentage per line when it is not a
terminal. DEV may be COM3, ttyUSB0, /dev/ttyUSB0 or any device path.
</translation>
    </message>
    <message>
        <location line="+70"/>
        <source>缺少命令</source>
        <translation>missing command</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>未知命令“%1”</source>
        <translation>unknown command &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>用法：</source>
        <translation>Usage: </translation>
    </message>
    <message>
        <location filename="../../src/cli/offline_commands.cpp" line="+19"/>
        <source>%1：需要一个输出文件</source>
        <translation>%1: expected one output file</translation>
    </message>
    <message>
        <location filename="../../src/cli/form_commands.cpp" line="-149"/>
        <source>无法读取配置文件 %1：%2</source>
        <translation>cannot read the profile %1: %2</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>配置文件 %1 大于 64 MiB</source>
        <translation>the profile %1 is larger than 64 MiB</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>大于 64 MiB</source>
        <translation>larger than 64 MiB</translation>
    </message>
    <message>
        <location line="+113"/>
        <location filename="../../src/cli/offline_commands.cpp" line="+15"/>
        <location filename="../../src/cli/transfer_commands.cpp" line="+38"/>
        <source>%1：需要一个映像文件</source>
        <translation>%1: expected one image file</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>--set:%1：应为“SECTION:KEY=VALUE”，实际为“%2”</source>
        <translation>--set:%1: expected &apos;SECTION:KEY=VALUE&apos;, got &apos;%2&apos;</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1：需要一个输入映像</source>
        <translation>%1: expected one input image</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1：--seed 取 0..4294967295 的数</source>
        <translation>%1: --seed takes a number 0..4294967295</translation>
    </message>
    <message numerus="yes">
        <location line="+61"/>
        <source>configure：另有 %n 个值存为其他内容</source>
        <translation>
            <numerusform>configure: %n more value was stored as something else</numerusform>
            <numerusform>configure: %n more values were stored as something else</numerusform>
        </translation>
    </message>
    <message>
        <location line="+15"/>
        <source>以 [节] 和 键=值 行组成的配置文件输出各对话框的字段（表单：channel、batch、model、options、fm、dtmf；加 --factory 还有 tuning、decoder；不带 --form 时：model、options、fm、dtmf，加 --factory 再输出工厂表单；给出节标题如“channel A005”或 dtmf 的一页时只输出该节）</source>
        <translation>print the dialogs&apos; fields as a profile of [section] and KEY=VALUE lines (forms: channel, batch, model, options, fm, dtmf; with --factory also tuning, decoder; without --form: model, options, fm, dtmf, then the factory forms with --factory; a section header such as &quot;channel A005&quot; or a dtmf page prints that section alone)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>打开 IN，按顺序像用户在对话框中那样执行每个配置文件节和 --set，保存为 OUT</source>
        <translation>open IN, run every profile section and --set in order as a user would in the dialogs, save OUT</translation>
    </message>
    <message>
        <location filename="../../src/cli/offline_commands.cpp" line="+29"/>
        <source>%1：需要一个输入文件和一个输出文件</source>
        <translation>%1: expected an input and an output file</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>写出新文档所得的映像（程序旁的 Default.dat；给出 --builtin 或没有该文件时用内置默认值）</source>
        <translation>write the image a new document gets (Default.dat next to the program, unless --builtin, else the built-in defaults)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>输出信道表格：258 行，每行是行标签和八个单元，以 TAB 分隔</source>
        <translation>print the channel grid: 258 lines, row label and eight cells, TAB-separated</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>打开 IN，生成表格，再转换回去并整理，保存为 OUT（即在程序中打开再保存所做的）</source>
        <translation>open IN, render the grid, convert it back and finalise, save OUT (what opening and saving in the application does)</translation>
    </message>
    <message>
        <location filename="../../src/core/document/backups.cpp" line="+174"/>
        <source>无法创建备份文件夹“%1”：%2</source>
        <translation>cannot create the backup folder %1: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>无法创建备份文件夹“%1”</source>
        <translation>cannot create the backup folder %1</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>无法写入备份“%1”：%2</source>
        <translation>cannot write the backup %1: %2</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/form_driver.cpp" line="+70"/>
        <source>该项只读</source>
        <translation>the field is read-only</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>该项未显示</source>
        <translation>the field is not shown</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>该项不可用</source>
        <translation>the field is disabled</translation>
    </message>
    <message>
        <location line="+159"/>
        <source>此对话框中没有该项</source>
        <translation>no such field in this dialog</translation>
    </message>
    <message>
        <location line="-126"/>
        <source>表格单元没有微调按钮</source>
        <translation>a grid cell has no spin button here</translation>
    </message>
    <message>
        <location line="+140"/>
        <source>该项没有微调按钮</source>
        <translation>the field has no spin button</translation>
    </message>
    <message>
        <location line="-123"/>
        <source>“%1”不是列表中的项（%2）</source>
        <translation>&apos;%1&apos; is no entry of the list (%2)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>“%1”不是该组中的按钮（%2）</source>
        <translation>&apos;%1&apos; is no button of the group (%2)</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>复选框只接受 1 或 0</source>
        <translation>a check box takes 1 or 0</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>该按钮的值是“%1”中一行的行标签</source>
        <translation>the button takes the row label of a cell of &apos;%1&apos;</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>按钮不带值</source>
        <translation>a push button takes no value</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>表格逐个单元设置：行/列=值</source>
        <translation>a grid is set cell by cell: ROW/COLUMN=VALUE</translation>
    </message>
    <message>
        <location filename="../../src/lang/language.cpp" line="+122"/>
        <source>选项 --lang 需要一个值（zh 或 en）</source>
        <translation>option --lang needs a value (zh or en)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>未知的语言“%1”（可用：zh、en）</source>
        <translation>unknown language &apos;%1&apos; (languages: zh, en)</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/command_line.cpp" line="-71"/>
        <source>用法：kestra [选项] [FILE.dat]</source>
        <translation>Usage: kestra [options] [FILE.dat]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Kestra：读取、编辑并写入双段手持对讲机的存储器。</source>
        <translation>Kestra: reads, edits and writes the memory of a dual-band handheld radio.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>选项：</source>
        <translation>Options:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>参数：</source>
        <translation>Arguments:</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>显示本帮助并退出。</source>
        <translation>Show this help and exit.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>显示版本并退出。</source>
        <translation>Show the version and exit.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>使用这个串口设备（COM3、ttyUSB0、/dev/ttyUSB0 或任何设备路径），而不是设置中选择的端口。</source>
        <translation>Use this serial device (COM3, ttyUSB0, /dev/ttyUSB0 or any device path) instead of the port chosen in the settings.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>在本进程中启动虚拟对讲机，并把它当作端口使用。</source>
        <translation>Start the virtual radio in this process and use it as the port.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>界面语言：zh（中文）或 en（英文）；默认为视图 → 语言中的选择，否则跟随系统。</source>
        <translation>The language: zh (Chinese) or en (English); by default the one chosen in View → Language, else the system&apos;s.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>要打开的 .dat 文件（代替新建文档）。</source>
        <translation>A .dat file to open instead of a new document.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>未知选项 %1（文件名以 - 开头时写成 ./%1 或放在 -- 之后）</source>
        <translation>Unknown option %1 (write a file name that starts with - as ./%1, or after --)</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>启动时只能打开一个文件</source>
        <translation>only one file can be opened at start-up</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--port 和 --simulate 不能同时使用</source>
        <translation>--port and --simulate cannot be used together</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/program_app.cpp" line="+85"/>
        <source>用“kestra --help”查看更多信息。</source>
        <translation>Try &apos;kestra --help&apos; for more information.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>虚拟对讲机无法启动：%1</source>
        <translation>the virtual radio could not start: %1</translation>
    </message>
    <message>
        <location filename="../../src/ui/dialogs/comm_dlg.cpp" line="+27"/>
        <source>写后校验(&amp;V)</source>
        <translation>&amp;Verify after writing</translation>
    </message>
    <message>
        <location filename="../../src/ui/dialogs/port_setup_dlg.cpp" line="-2"/>
        <source>设备(&amp;D)</source>
        <translation>&amp;Device</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>芯片</source>
        <translation>Chip</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>USB 标识</source>
        <translation>USB ID</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>厂商</source>
        <translation>Manufacturer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>产品</source>
        <translation>Product</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>序列号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>未找到串口设备</source>
        <translation>No serial device found</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>链接</source>
        <translation>Link</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>延迟定时器 %1 ms</source>
        <translation>Latency timer %1 ms</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 不在端口表中：只用于本次运行（如同 --port），Program.ini 中的端口号不变。</source>
        <translation>%1 is not in the port table: it is used for this run only (as with --port); the port number in Program.ini stays as it is.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>正在使用虚拟对讲机（%1）：读频和写频都与它交换。选择端口并按“确定”即改用该端口。</source>
        <translation>The virtual radio is in use (%1): reading and writing exchange with it. Choose a port and press OK to use that port instead.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>本次运行使用 %1（不在端口表中，只用于本次运行）。选择端口并按“确定”即改用该端口。</source>
        <translation>This run uses %1 (outside the port table, for this run only). Choose a port and press OK to use that one instead.</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/profile.cpp" line="+39"/>
        <source>应为 KEY=VALUE、KEY++ 或 KEY--</source>
        <translation>expected KEY=VALUE, KEY++ or KEY--</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>该行没有键名</source>
        <translation>the line has no key</translation>
    </message>
    <message>
        <location line="+87"/>
        <source>该行不是有效的 UTF-8 文本</source>
        <translation>the line is not valid UTF-8</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>节标题须写作 [名称]，前后不得有其他字符</source>
        <translation>a section header is [NAME] with nothing around it</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>该行位于第一个 [节] 之前</source>
        <translation>a line before the first [section]</translation>
    </message>
    <message>
        <location filename="../../src/core/grid/channel_arrange.h" line="+37"/>
        <source>%1 不是存储信道</source>
        <translation>%1 is not a memory channel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 和 %2 不在同一频段</source>
        <translation>%1 and %2 are not in the same band</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 在 %2 之后</source>
        <translation>%1 comes after %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>超出 %1 所在频段</source>
        <translation>beyond the band of %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 不是空信道，无法插入：频段末尾的信道不能被挤出</source>
        <translation>%1 is not empty, cannot insert: the band&apos;s last channel cannot be pushed out</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 看似为空，却存有两个频段以外的信道，无法插入：频段末尾的信道不能被挤出</source>
        <translation>%1 looks empty but holds a channel outside both bands, cannot insert: the band&apos;s last channel cannot be pushed out</translation>
    </message>
    <message>
        <location filename="../../src/link/pseudo_terminal.cpp" line="+100"/>
        <source>此系统不提供伪终端</source>
        <translation>pseudo-terminals are not available on this system</translation>
    </message>
    <message>
        <location filename="../../src/link/virtual_radio.cpp" line="+310"/>
        <source>虚拟对讲机需要伪终端，此系统不提供</source>
        <translation>the virtual radio needs pseudo-terminals, which this system does not offer</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/arrange_texts.h" line="-14"/>
        <source>信道上移</source>
        <translation>Move Channel Up</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>信道下移</source>
        <translation>Move Channel Down</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>插入空信道</source>
        <translation>Insert Empty Channel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>删除信道</source>
        <translation>Delete Channel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>排序…</source>
        <translation>Sort…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查找…</source>
        <translation>Find…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查找下一个</source>
        <translation>Find Next</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>移动信道</source>
        <translation>Move Channels</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>排序</source>
        <translation>Sort</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>排序依据：</source>
        <translation>Sort by:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>选中的行（%1 – %2）</source>
        <translation>Selected rows (%1 – %2)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>整个频段（%1 – %2）</source>
        <translation>Whole band (%1 – %2)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>频率（如 145.5）或名字：</source>
        <translation>Frequency (e.g. 145.5) or name:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>未找到“%1”</source>
        <translation>“%1” not found</translation>
    </message>
    <message>
        <location filename="../../src/cli/arrange_commands.cpp" line="-53"/>
        <source>应为以信道标签写的 FROM:TO 或 FROM-LAST:TO（A005:A010）</source>
        <translation>expected FROM:TO or FROM-LAST:TO with channel labels (A005:A010)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>应为一个信道标签（A005）</source>
        <translation>expected one channel label (A005)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>应为一个信道标签或 FROM-TO（A005、A005-A010）</source>
        <translation>expected a channel label or FROM-TO (A005, A005-A010)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>应为 rx、tx 或 name</source>
        <translation>expected rx, tx or name</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1：应为 FROM-TO（A001-A020）</source>
        <translation>%1: expected FROM-TO (A001-A020)</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>%1：%2 须紧跟在一个 %3 之后</source>
        <translation>%1: %2 belongs right after a %3</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1：需要一个输入文件和 %2</source>
        <translation>%1: expected one input file and %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1：至少需要一项操作</source>
        <translation>%1: expected at least one operation</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>在频段内按给出的顺序移动、插入、删除或排序整个信道；只有每项操作都成功
      才写出 OUT（退出状态 2 时指明失败的那一项）：
      --move FROM:TO        把 FROM 取出放到 TO（FROM 可以是一段
                            FIRST-LAST）；其间的信道顺移让位
      --insert AT           在 AT 插入空信道，频段其余信道下移一位；
                            频段最后一个信道不为空时拒绝
      --delete AT|FROM-TO   删除信道，频段其余信道上移；频段末尾
                            空出的信道被清除
      --sort rx|tx|name [--range FROM-TO]
                            稳定排序（默认：每个频段整体）；名字不分
                            大小写，无名和空信道排在最后
      信道标签为 A001-A128、B001-B128；VFO 从不移动。</source>
        <translation>move, insert, delete or sort whole channels within a band, in the order
      given; OUT is written only when every operation succeeds (exit 2 names
      the one that failed):
      --move FROM:TO        take FROM out and put it at TO (FROM may be a block
                            FIRST-LAST); the channels between make room
      --insert AT           a free channel at AT, the rest of the band down one;
                            refused when the band&apos;s last channel is not empty
      --delete AT|FROM-TO   remove channels, the rest of the band up; the freed
                            channels at the band&apos;s end are cleared
      --sort rx|tx|name [--range FROM-TO]
                            sort stably (default: each band whole); names ignore
                            letter case, unnamed and empty channels go last
      Channels are labels A001-A128, B001-B128; the VFOs never move.</translation>
    </message>
    <message>
        <location filename="../../src/cli/csv_commands.cpp" line="+21"/>
        <source>%1：%2；未写入任何文件</source>
        <translation>%1: %2; nothing written</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>大于 CSV 文件的上限 %1 MiB（%2 字节）</source>
        <translation>larger than %1 MiB, the limit for a CSV file (%2 bytes)</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>超过 CSV 文件的上限 %1 MiB</source>
        <translation>over %1 MiB, the limit for a CSV file</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>%1 只接受一个 %2</source>
        <translation>%1 takes one %2</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1 的参数为 %2</source>
        <translation>%1 takes %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 取一个信道 A001..B128</source>
        <translation>%1 takes a channel A001..B128</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>报告 %1 就是输入文件 %2</source>
        <translation>the report %1 is the input file %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>报告 %1 就是输出文件 %2</source>
        <translation>the report %1 is the output file %2</translation>
    </message>
    <message numerus="yes">
        <location line="+37"/>
        <source>已跳过 %n 行；未写入任何文件</source>
        <translation>
            <numerusform>%n row skipped; nothing written</numerusform>
            <numerusform>%n rows skipped; nothing written</numerusform>
        </translation>
    </message>
    <message>
        <location line="+12"/>
        <source>把非空的信道 1..256 写成 CSV</source>
        <translation>write the non-empty channels 1..256 as CSV</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>把 CSV 的行放入信道；报告输出到标准错误（加 --strict 时有行被跳过则退出状态 1，CSV 无法使用则为 2）</source>
        <translation>put CSV rows into channels; report to stderr (exit 1 with --strict when rows were skipped, 2 for an unusable CSV)</translation>
    </message>
    <message>
        <location filename="../../src/cli/transfer_commands.cpp" line="-182"/>
        <source>%1：多余的参数“%2”</source>
        <translation>%1: unexpected argument &apos;%2&apos;</translation>
    </message>
    <message>
        <location filename="../../src/cli/form_commands.cpp" line="-95"/>
        <location filename="../../src/cli/transfer_commands.cpp" line="+137"/>
        <source>%1：必须给出 %2</source>
        <translation>%1: %2 is required</translation>
    </message>
    <message>
        <location filename="../../src/cli/transfer_commands.cpp" line="+12"/>
        <source>%1：需要工厂模式（%2）</source>
        <translation>%1: needs factory mode (%2)</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>%1：需要 %2，且不要其他文件</source>
        <translation>%1: expected %2 and no other file</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>警告：没有存放备份的用户数据文件夹</source>
        <translation>warning: no per-user data folder for backups</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>警告：未保存备份：%1</source>
        <translation>warning: no backup saved: %1</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>%1：需要 read 或 write</source>
        <translation>%1: expected 'read' or 'write'</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>没有写入：对讲机中原有数据的备份未能保存（%1 不保存备份而写入）</source>
        <translation>nothing written: the backup of the radio’s data could not be saved (%1 writes without one)</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>%1：--ident 取 model、version、blank 或 16 个十六进制数字</source>
        <translation>%1: --ident takes model, version, blank or 16 hex digits</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1：故障选项取一个整数</source>
        <translation>%1: fault options take a whole number</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1：--corrupt-store 取映像偏移 0..0x3FFF</source>
        <translation>%1: --corrupt-store takes an image offset 0..0x3FFF</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>虚拟对讲机需要伪终端，Windows 不提供</source>
        <translation>the virtual radio needs pseudo-terminals, which Windows does not offer</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>无法启动虚拟对讲机：%1</source>
        <translation>cannot start the virtual radio: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>虚拟对讲机在 %1；按 Ctrl+C 停止</source>
        <translation>virtual radio on %1; stop it with Ctrl+C</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>可用</source>
        <translation>available</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不可用</source>
        <translation>unavailable</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>已选</source>
        <translation>selected</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>设备（设备、端口、芯片系列、芯片、USB ID、制造商、产品、序列号、驱动、延迟定时器；by-id 链接列在其设备之下）：</source>
        <translation>devices (device, port, chip family, chip, USB id, manufacturer, product, serial number, driver, latency timer; by-id links below their device):</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>（无）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>把对讲机读入基础映像的副本（默认：新文档的映像）并保存</source>
        <translation>read the radio into a copy of the base image (default: a new document&apos;s image) and save it</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>打开 IMAGE，像应用程序那样转换并整理，写入对讲机；--verify 读回并比较（有差异时退出状态 1）</source>
        <translation>open IMAGE, convert and finalise it as the application does, write it into the radio; --verify reads it back and compares (exit 1 on a difference)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>同 write，但写整个映像（初始化）；read、write 和 init 把映像的备份保存到用户数据文件夹的 backups/ 中</source>
        <translation>like write, but the whole image (initialise); read, write and init save a backup of the image into backups/ of the per-user data folder</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>交换校准块（0x3ED0-0x3F6F）；write 原样发送文件的字节，之前先读出对讲机中的校准块并作为备份保存（读不出则不写入）</source>
        <translation>exchange the calibration block (0x3ED0-0x3F6F); write sends the file&apos;s bytes as they are, after reading the radio&apos;s block and keeping it as a backup (nothing is written when that read fails)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>交换 DTMF 解码表（0x3E00-0x3E2F）；write 同 calibration write</source>
        <translation>exchange the DTMF decoder table (0x3E00-0x3E2F); write as calibration write does</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>在伪终端上运行虚拟对讲机，输出其设备路径，一直服务到被中断；--save 在退出时写出其存储</source>
        <translation>run the virtual radio on a pseudo-terminal, print its device path, serve until interrupted; --save writes its memory on exit</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>列出端口号及其设备和能否打开，再列出每个串口设备及其电缆（芯片、USB ID、字符串、by-id 链接）</source>
        <translation>list the port numbers with their devices and whether each can be opened, then every serial device with its cable (chip, USB id, strings, by-id links)</translation>
    </message>
    <message>
        <location filename="../../src/core/forms/form_session.cpp" line="+26"/>
        <source>此版本的 kestra-cli 不提供表单“%1”</source>
        <translation>the form &apos;%1&apos; is not available in this version of kestra-cli</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>键名是映像偏移，0x0000..0x3FFF</source>
        <translation>the key is an image offset, 0x0000..0x3FFF</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>值是十六进制字节，字节之间一个空格：AA BB ...</source>
        <translation>the value is bytes in hex, one blank between them: AA BB ...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>出错后会话无法继续</source>
        <translation>the session cannot go on after an error</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>未知的表单“%1”（表单：%2）</source>
        <translation>unknown form &apos;%1&apos; (forms: %2)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>表单“%1”需要 --factory</source>
        <translation>the form &apos;%1&apos; needs --factory</translation>
    </message>
    <message numerus="yes">
        <location line="+94"/>
        <source>%n 个信道的接收频率不在新的频段范围内，已清除：%1</source>
        <translation>
            <numerusform>%n channel received outside the new band limits and was cleared: %1</numerusform>
            <numerusform>%n channels received outside the new band limits and were cleared: %1</numerusform>
        </translation>
    </message>
    <message>
        <location line="+32"/>
        <source>“dtmf”需要指明页面：%1</source>
        <translation>&apos;dtmf&apos; needs its page: %1</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>“channel”需要信道标签：A001..A128、B001..B128、A VFO、B VFO</source>
        <translation>&apos;channel&apos; needs a channel label: A001..A128, B001..B128, A VFO, B VFO</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>表单“%1”不带参数</source>
        <translation>the form &apos;%1&apos; takes no argument</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>[raw] 行的格式为 0x偏移=AA BB ...</source>
        <translation>a [raw] line is 0xOFFSET=AA BB ...</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>字节超出映像范围（0x0000..0x3FFF）</source>
        <translation>the bytes run beyond the image (0x0000..0x3FFF)</translation>
    </message>
    <message>
        <location line="-256"/>
        <source>“%1”存为“%2”</source>
        <translation>“%1” was stored as “%2”</translation>
    </message>
    <message>
        <location line="+469"/>
        <source>表单“%1”没有“%2”一节</source>
        <translation>the form &apos;%1&apos; has no section &apos;%2&apos;</translation>
    </message>
    <message>
        <location filename="../../src/link/serial_link.cpp" line="+177"/>
        <source>。请加入拥有该设备的组“%1”（sudo usermod -aG %1 $USER），然后重新登录。</source>
        <translation>. Join the group &quot;%1&quot; that owns the device (sudo usermod -aG %1 $USER), then log in again.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>。该设备属于组“root”</source>
        <translation>. The device belongs to the group &quot;root&quot;</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>。拥有该设备的组“%1”不能读写它</source>
        <translation>. The group &quot;%1&quot; that owns the device may not read and write it</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>。你所在的组都不能使用该设备</source>
        <translation>. No group of yours may use the device</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>：已安装的 udev 规则 %1 在插入数据线时把它交给组“dialout”：请拔下数据线再插上，并加入该组。</source>
        <translation>: the installed udev rule %1 gives the cable to the group &quot;dialout&quot; when it is plugged in: unplug the cable and plug it in again, and join that group.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>：已安装的 udev 规则 %1 不认识这条数据线的芯片（%2）：需要另一条把它交给组“dialout”的 udev 规则；然后加入该组。</source>
        <translation>: the installed udev rule %1 does not know this cable&apos;s chip (%2): another udev rule is needed that gives it to the group &quot;dialout&quot;; then join that group.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>：Kestra 的 udev 规则只管 USB 串口数据线，不管这个设备：需要另一条把它交给组“dialout”的 udev 规则；然后加入该组。</source>
        <translation>: Kestra&apos;s udev rule covers USB-serial cables only, not this device: another udev rule is needed that gives it to the group &quot;dialout&quot;; then join that group.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>：需要一条把它交给组“dialout”的 udev 规则（见示例规则 %1 和 README 中的“Serial port permissions”）；然后加入该组。</source>
        <translation>: a udev rule is needed that gives it to the group &quot;dialout&quot; (see the sample rule %1 and &quot;Serial port permissions&quot; in the README); then join that group.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>（端口被进程 %1（%2）占用）</source>
        <translation> (the port is held by process %1 (%2))</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>（端口被另一个程序占用）</source>
        <translation> (the port is held open by another program)</translation>
    </message>
    <message>
        <location line="+108"/>
        <source>未选择串口</source>
        <translation>no serial port is selected</translation>
    </message>
    <message>
        <location filename="../../src/link/exchange.cpp" line="+13"/>
        <source>端口已关闭</source>
        <translation>port closed</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>%1没有收到确认（什么也没收到）</source>
        <translation>no acknowledgement %1 (nothing arrived)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1没有收到确认（收到 %2）</source>
        <translation>no acknowledgement %1 (got %2)</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>在块 0x%1 处</source>
        <translation>at block 0x%1</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>%1没有回应</source>
        <translation>no reply %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1回应不完整（%2 / %3 字节）</source>
        <translation>short reply %1 (%2 of %3 bytes)</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>握手没有回应</source>
        <translation>no answer to the greeting</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>握手回应不是“PG”（收到 %1）</source>
        <translation>the radio answered the greeting with other bytes than “PG” (received %1)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>没有识别信息（%1 / %2 字节）</source>
        <translation>no identification (%1 of %2 bytes)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>识别信息不符（%1）</source>
        <translation>wrong identification (%1)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>在识别信息之后</source>
        <translation>after the identification</translation>
    </message>
    <message>
        <location line="+107"/>
        <source>读回时：%1</source>
        <translation>reading back: %1</translation>
    </message>
    <message numerus="yes">
        <location line="+6"/>
        <source>第一处差异在 0x%1：发送 %2，读到 %3（%n 个字节不同）</source>
        <translation>
            <numerusform>first difference at 0x%1: sent %2, found %3 (%n byte differs)</numerusform>
            <numerusform>first difference at 0x%1: sent %2, found %3 (%n bytes differ)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../src/core/interchange/channel_csv.cpp" line="+23"/>
        <source>%1：第 %2 行开始的引号字段到文件末尾仍未闭合</source>
        <translation>%1: the quoted field opened on line %2 is not closed before the end of the file</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1：第 %2 行开始的引号字段超过 %3 行（是否缺少闭合引号？）</source>
        <translation>%1: the quoted field opened on line %2 runs over more than %3 lines (is a closing quote missing?)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>标题行</source>
        <translation>the header line</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>第 %1 行</source>
        <translation>row %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>第 %1 行（%2）：%3</source>
        <translation>row %1 (%2): %3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>第 %1 行：%2</source>
        <translation>row %1: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>行 %1：%2</source>
        <translation>rows %1: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不是 UTF-8 文本（偏移 %1 处的字节无效）</source>
        <translation>not UTF-8 text (invalid byte at offset %1)</translation>
    </message>
    <message>
        <location filename="../../src/core/codec/utf8.cpp" line="+102"/>
        <source>不是 UTF-8 文本：文件以 UTF-16 的字节顺序标记开头，请将其另存为 UTF-8</source>
        <translation>not UTF-8 text: it starts with a UTF-16 byte-order mark; save it as UTF-8</translation>
    </message>
    <message>
        <location filename="../../src/core/interchange/channel_csv.cpp" line="+1"/>
        <source>%1 → %2：不在频率步进上</source>
        <translation>%1 → %2: off the raster</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 → %2：电台以 10 Hz 为单位存储频率</source>
        <translation>%1 → %2: the radio keeps frequencies in 10 Hz units</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：%1 %2</source>
        <translation>skipped: %1 %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：%1 %2 不是 DCS 码</source>
        <translation>skipped: %1 %2 is not a DCS code</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：%1 %2 不是数字</source>
        <translation>skipped: %1 %2 is not a number</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：%1 %2 不是电台可用的亚音</source>
        <translation>skipped: %1 %2 is not a tone the radio can use</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>亚音 %1 → %2</source>
        <translation>tone %1 → %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>亚音 %1 不在电台的亚音列表中，仍照此写入</source>
        <translation>tone %1 is not in the radio&apos;s list; set as given</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：反向静噪 %1</source>
        <translation>skipped: reverse squelch %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：没有 Frequency</source>
        <translation>skipped: no Frequency</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：%1 %2 不在任一频段内</source>
        <translation>skipped: %1 %2 outside both bands</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>已跳过：发射频率 %1 不在任一频段内</source>
        <translation>skipped: transmit %1 outside both bands</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：%1 %2 不是 High、Low 或瓦数</source>
        <translation>skipped: %1 %2 is not High, Low or watts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>名称 %1 → %2</source>
        <translation>name %1 → %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Comment %1 未导入：电台不存储备注</source>
        <translation>Comment %1 not imported: the radio keeps no comments</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>标题行中没有 Frequency 列</source>
        <translation>no Frequency column in the header line</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>标题行中没有 Frequency 列：字段以分号分隔，请将文件另存为以逗号分隔的 CSV</source>
        <translation>no Frequency column in the header line: the fields are separated by semicolons; save the file as CSV separated by commas</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>已跳过：%n 个字段，而标题行有 %1 个</source>
        <translation>
            <numerusform>skipped: %n field where the header has %1</numerusform>
            <numerusform>skipped: %n fields where the header has %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+11"/>
        <source>另有 %n 行被跳过或替换，未列出</source>
        <translation>
            <numerusform>%n more row skipped or replaced, not listed</numerusform>
            <numerusform>%n more rows skipped or replaced, not listed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>已导入 %n 行，跳过 %1 行</source>
        <translation>
            <numerusform>%n row imported, %1 skipped</numerusform>
            <numerusform>%n rows imported, %1 skipped</numerusform>
        </translation>
    </message>
    <message>
        <location line="-12"/>
        <source>已跳过：%1 超过 %2 字节</source>
        <translation>skipped: %1 is longer than %2 bytes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：Location %1 不是信道 1..256</source>
        <translation>skipped: Location %1 is not a channel 1..256</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：信道 %1 已被第 %2 行占用</source>
        <translation>skipped: channel %1 already taken by row %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：信道 %1 不是空的</source>
        <translation>skipped: channel %1 not empty</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>被第 %1 行替换，落在 %2</source>
        <translation>replaced by row %1 on %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>没有标题行</source>
        <translation>no header line</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已跳过：超出最后一个空闲信道</source>
        <translation>skipped: beyond the last free channel</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>已跳过：%1 行超出最后一个空闲信道</source>
        <translation>skipped: %1 rows beyond the last free channel</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>大于 %1 MiB，即 CSV 文件的上限</source>
        <translation>larger than %1 MiB, the limit for a CSV file</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>，%1 行被后面的行替换</source>
        <translation>, %1 replaced by a later row</translation>
    </message>
    <message>
        <location filename="../../src/ui/app/csv_commands.cpp" line="+84"/>
        <source>大于 %1 MiB，即本程序导入 CSV 文件的上限；kestra-cli import-csv 可导入至 %2 MiB</source>
        <translation>larger than %1 MiB, the limit for a CSV file here; kestra-cli import-csv takes up to %2 MiB</translation>
    </message>
    <message>
        <location filename="../../src/core/document/file_io.cpp" line="+38"/>
        <source>Windows 把这个名字留给设备（CON、PRN、AUX、NUL、COM1–COM9、LPT1–LPT9），文件不能用它</source>
        <translation>Windows keeps this name for a device (CON, PRN, AUX, NUL, COM1–COM9, LPT1–LPT9); a file cannot take it</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>这是一个管道（FIFO），没有程序在读它</source>
        <translation>it is a pipe (FIFO) that no program is reading</translation>
    </message>
    <message>
        <location line="+186"/>
        <source>不能在文件夹 %1 中建立文件：%2</source>
        <translation>cannot create a file in the folder %1: %2</translation>
    </message>
    <message>
        <location filename="../../src/core/os/windows.cpp" line="+298"/>
        <source>Windows 错误 %1</source>
        <translation>Windows error %1</translation>
    </message>
</context>
</TS>
