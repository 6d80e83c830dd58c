<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>MappingNotice</name>
    <message>
        <source>1 pad needs a mapping</source>
        <translation>1 个手柄需要映射</translation>
    </message>
    <message>
        <source>%1 pads need a mapping</source>
        <translation>%1 个手柄需要映射</translation>
    </message>
</context>
<context>
    <name>PadHealthView</name>
    <message>
        <source>Markdown (*.md)</source>
        <translation>Markdown (*.md)</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>Report saved to %1</source>
        <translation>报告已保存到 %1</translation>
    </message>
    <message>
        <source>The report was not saved: %1</source>
        <translation>报告未保存：%1</translation>
    </message>
    <message>
        <source>Report copied as Markdown</source>
        <translation>报告已按 Markdown 复制</translation>
    </message>
    <message>
        <source>Mapping copied</source>
        <translation>映射已复制</translation>
    </message>
    <message>
        <source>No file dialog is available</source>
        <translation>没有可用的文件对话框</translation>
    </message>
    <message>
        <source>Save report</source>
        <translation>保存报告</translation>
    </message>
</context>
<context>
    <name>PadHealthViewForm.ui</name>
    <message>
        <source>Pad health</source>
        <translation>手柄健康</translation>
    </message>
    <message>
        <source>Save report…</source>
        <translation>保存报告…</translation>
    </message>
    <message>
        <source>Copy report</source>
        <translation>复制报告</translation>
    </message>
    <message>
        <source>No game controller is connected</source>
        <translation>没有连接游戏手柄</translation>
    </message>
    <message>
        <source>Left stick</source>
        <translation>左摇杆</translation>
    </message>
    <message>
        <source>Right stick</source>
        <translation>右摇杆</translation>
    </message>
    <message>
        <source>Left trigger</source>
        <translation>左扳机</translation>
    </message>
    <message>
        <source>Right trigger</source>
        <translation>右扳机</translation>
    </message>
    <message>
        <source>Pads without a mapping</source>
        <translation>没有映射的手柄</translation>
    </message>
    <message>
        <source>SDL does not know these as game controllers.</source>
        <translation>SDL 不认识这些设备是游戏手柄。</translation>
    </message>
</context>
<context>
    <name>PadInfoPanel</name>
    <message>
        <source>wired</source>
        <translation>有线</translation>
    </message>
    <message>
        <source>full</source>
        <translation>满</translation>
    </message>
    <message>
        <source>medium</source>
        <translation>中</translation>
    </message>
    <message>
        <source>low</source>
        <translation>低</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>空</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>rumble</source>
        <translation>振动</translation>
    </message>
    <message>
        <source>trigger rumble</source>
        <translation>扳机振动</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>指示灯</translation>
    </message>
    <message>
        <source>gyro</source>
        <translation>陀螺仪</translation>
    </message>
    <message>
        <source>accelerometer</source>
        <translation>加速度计</translation>
    </message>
    <message>
        <source>touchpad</source>
        <translation>触摸板</translation>
    </message>
    <message>
        <source>The pad</source>
        <translation>手柄信息</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>GUID</source>
        <translation>GUID</translation>
    </message>
    <message>
        <source>Vendor, product</source>
        <translation>厂商、产品</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>固件</translation>
    </message>
    <message>
        <source>Device path</source>
        <translation>设备路径</translation>
    </message>
    <message>
        <source>SDL version</source>
        <translation>SDL 版本</translation>
    </message>
    <message>
        <source>Mapping</source>
        <translation>映射</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>电池</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
</context>
<context>
    <name>StickPanel</name>
    <message>
        <source>right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>up</source>
        <translation>上</translation>
    </message>
    <message>
        <source>left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>down</source>
        <translation>下</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Roll the stick slowly round its edge</source>
        <translation>沿边缘慢慢转动摇杆</translation>
    </message>
    <message>
        <source>Coverage %1 %</source>
        <translation>覆盖 %1 %</translation>
    </message>
    <message>
        <source>Centre offset at rest</source>
        <translation>静止时的中心偏移</translation>
    </message>
    <message>
        <source>%1 % at %2°</source>
        <translation>%1 %，方向 %2°</translation>
    </message>
    <message>
        <source>let go of the stick</source>
        <translation>请松开摇杆</translation>
    </message>
    <message>
        <source>centred</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>drifts</source>
        <translation>漂移</translation>
    </message>
    <message>
        <source>Rest noise</source>
        <translation>静止噪声</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>steady</source>
        <translation>稳定</translation>
    </message>
    <message>
        <source>trembles</source>
        <translation>抖动</translation>
    </message>
    <message>
        <source>Suggested dead zone</source>
        <translation>建议死区</translation>
    </message>
    <message>
        <source>small</source>
        <translation>小</translation>
    </message>
    <message>
        <source>large</source>
        <translation>大</translation>
    </message>
    <message>
        <source>Coverage of the edge</source>
        <translation>边缘覆盖</translation>
    </message>
    <message>
        <source>enough</source>
        <translation>足够</translation>
    </message>
    <message>
        <source>roll round the edge</source>
        <translation>沿边缘转动</translation>
    </message>
    <message>
        <source>Circularity error</source>
        <translation>圆度误差</translation>
    </message>
    <message>
        <source>needs 90 % coverage</source>
        <translation>需要 90 % 覆盖</translation>
    </message>
    <message>
        <source>round</source>
        <translation>圆</translation>
    </message>
    <message>
        <source>past the circle at %1°</source>
        <translation>在 %1° 超出圆</translation>
    </message>
    <message>
        <source>short at %1°</source>
        <translation>在 %1° 不足</translation>
    </message>
    <message>
        <source>Reach right, up, left, down</source>
        <translation>右、上、左、下行程</translation>
    </message>
    <message>
        <source>push to each edge</source>
        <translation>推到每个边缘</translation>
    </message>
    <message>
        <source>full</source>
        <translation>到位</translation>
    </message>
    <message>
        <source>short: %1</source>
        <translation>不足：%1</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>x %1, y %2 bits</source>
        <translation>x %1，y %2 位</translation>
    </message>
    <message>
        <source>fine</source>
        <translation>良好</translation>
    </message>
    <message>
        <source>keep moving</source>
        <translation>继续移动</translation>
    </message>
</context>
<context>
    <name>TriggerPanel</name>
    <message>
        <source>pull it slowly all the way</source>
        <translation>慢慢按到底</translation>
    </message>
    <message>
        <source>analogue</source>
        <translation>模拟</translation>
    </message>
    <message>
        <source>digital (on or off)</source>
        <translation>数字（只有开和关）</translation>
    </message>
    <message>
        <source>partial: does not reach full or rest</source>
        <translation>不完整：到不了底或回不到零</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>最高</translation>
    </message>
    <message>
        <source>Rest</source>
        <translation>静止</translation>
    </message>
    <message>
        <source>Actuation</source>
        <translation>触发点</translation>
    </message>
    <message>
        <source>Distinct values</source>
        <translation>不同数值</translation>
    </message>
</context>
<context>
    <name>MapButton</name>
    <message>
        <source>Map…</source>
        <translation>映射…</translation>
    </message>
</context>
<context>
    <name>PadHealthViewForm.ui</name>
    <message>
        <source>Remap…</source>
        <translation>重新映射…</translation>
    </message>
</context>
<context>
    <name>MappingWizardPanel</name>
    <message>
        <source>Remap the pad</source>
        <translation>重新映射手柄</translation>
    </message>
    <message>
        <source>Map the pad</source>
        <translation>映射手柄</translation>
    </message>
    <message>
        <source>Step %1 of %2</source>
        <translation>第 %1 步，共 %2 步</translation>
    </message>
    <message>
        <source>Leave the pad alone for a moment…</source>
        <translation>请先不要触碰手柄…</translation>
    </message>
    <message>
        <source>Held: %1</source>
        <translation>按住：%1</translation>
    </message>
    <message>
        <source>Now: %1</source>
        <translation>当前：%1</translation>
    </message>
</context>
<context>
    <name>MappingWizardPanelForm.ui</name>
    <message>
        <source>Optional: skip it if the pad has none.</source>
        <translation>可选：手柄没有此控件就跳过。</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>上一步</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>保留</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Mapping line</source>
        <translation>映射行</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>MappingWizard</name>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Cross pad up</source>
        <translation>十字键上</translation>
    </message>
    <message>
        <source>Cross pad down</source>
        <translation>十字键下</translation>
    </message>
    <message>
        <source>Cross pad left</source>
        <translation>十字键左</translation>
    </message>
    <message>
        <source>Cross pad right</source>
        <translation>十字键右</translation>
    </message>
    <message>
        <source>Left bumper</source>
        <translation>左肩键</translation>
    </message>
    <message>
        <source>Right bumper</source>
        <translation>右肩键</translation>
    </message>
    <message>
        <source>Left trigger</source>
        <translation>左扳机</translation>
    </message>
    <message>
        <source>Right trigger</source>
        <translation>右扳机</translation>
    </message>
    <message>
        <source>Left stick click</source>
        <translation>左摇杆按下</translation>
    </message>
    <message>
        <source>Right stick click</source>
        <translation>右摇杆按下</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>返回键</translation>
    </message>
    <message>
        <source>Guide</source>
        <translation>主页键</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始键</translation>
    </message>
    <message>
        <source>Left stick, horizontal</source>
        <translation>左摇杆，水平</translation>
    </message>
    <message>
        <source>Left stick, vertical</source>
        <translation>左摇杆，垂直</translation>
    </message>
    <message>
        <source>Right stick, horizontal</source>
        <translation>右摇杆，水平</translation>
    </message>
    <message>
        <source>Right stick, vertical</source>
        <translation>右摇杆，垂直</translation>
    </message>
    <message>
        <source>Extra button</source>
        <translation>附加键</translation>
    </message>
    <message>
        <source>Paddle 1</source>
        <translation>背键 1</translation>
    </message>
    <message>
        <source>Paddle 2</source>
        <translation>背键 2</translation>
    </message>
    <message>
        <source>Paddle 3</source>
        <translation>背键 3</translation>
    </message>
    <message>
        <source>Paddle 4</source>
        <translation>背键 4</translation>
    </message>
    <message>
        <source>Touchpad click</source>
        <translation>触摸板按下</translation>
    </message>
    <message>
        <source>Press A, the bottom face button.</source>
        <translation>按 A，即下方的功能键。</translation>
    </message>
    <message>
        <source>Press B, the right face button.</source>
        <translation>按 B，即右侧的功能键。</translation>
    </message>
    <message>
        <source>Press X, the left face button.</source>
        <translation>按 X，即左侧的功能键。</translation>
    </message>
    <message>
        <source>Press Y, the top face button.</source>
        <translation>按 Y，即上方的功能键。</translation>
    </message>
    <message>
        <source>Press the cross pad up.</source>
        <translation>按十字键的上。</translation>
    </message>
    <message>
        <source>Press the cross pad down.</source>
        <translation>按十字键的下。</translation>
    </message>
    <message>
        <source>Press the cross pad left.</source>
        <translation>按十字键的左。</translation>
    </message>
    <message>
        <source>Press the cross pad right.</source>
        <translation>按十字键的右。</translation>
    </message>
    <message>
        <source>Press the left bumper.</source>
        <translation>按左肩键。</translation>
    </message>
    <message>
        <source>Press the right bumper.</source>
        <translation>按右肩键。</translation>
    </message>
    <message>
        <source>Pull the left trigger all the way, then let it go.</source>
        <translation>把左扳机扣到底，然后松开。</translation>
    </message>
    <message>
        <source>Pull the right trigger all the way, then let it go.</source>
        <translation>把右扳机扣到底，然后松开。</translation>
    </message>
    <message>
        <source>Press the left stick down until it clicks.</source>
        <translation>把左摇杆向下按，直到咔哒一声。</translation>
    </message>
    <message>
        <source>Press the right stick down until it clicks.</source>
        <translation>把右摇杆向下按，直到咔哒一声。</translation>
    </message>
    <message>
        <source>Press Back (also called Select, View or Share), left of the centre.</source>
        <translation>按返回键（也叫 Select、View 或 Share），在中央左侧。</translation>
    </message>
    <message>
        <source>Press Guide, the logo button in the centre.</source>
        <translation>按主页键，即中央的徽标键。</translation>
    </message>
    <message>
        <source>Press Start (also called Menu or Options), right of the centre.</source>
        <translation>按开始键（也叫 Menu 或 Options），在中央右侧。</translation>
    </message>
    <message>
        <source>Move the left stick all the way left, then let it go.</source>
        <translation>把左摇杆推到最左，然后松开。</translation>
    </message>
    <message>
        <source>Move the left stick all the way up, then let it go.</source>
        <translation>把左摇杆推到最上，然后松开。</translation>
    </message>
    <message>
        <source>Move the right stick all the way left, then let it go.</source>
        <translation>把右摇杆推到最左，然后松开。</translation>
    </message>
    <message>
        <source>Move the right stick all the way up, then let it go.</source>
        <translation>把右摇杆推到最上，然后松开。</translation>
    </message>
    <message>
        <source>Press the extra button (Share, Capture or microphone), if the pad has one.</source>
        <translation>如果手柄有附加键（分享、截图或麦克风），请按下它。</translation>
    </message>
    <message>
        <source>Press the upper right paddle on the back, if the pad has one.</source>
        <translation>如果手柄背面有右上背键，请按下它。</translation>
    </message>
    <message>
        <source>Press the upper left paddle on the back, if the pad has one.</source>
        <translation>如果手柄背面有左上背键，请按下它。</translation>
    </message>
    <message>
        <source>Press the lower right paddle on the back, if the pad has one.</source>
        <translation>如果手柄背面有右下背键，请按下它。</translation>
    </message>
    <message>
        <source>Press the lower left paddle on the back, if the pad has one.</source>
        <translation>如果手柄背面有左下背键，请按下它。</translation>
    </message>
    <message>
        <source>Press the touchpad down until it clicks, if the pad has one.</source>
        <translation>如果手柄有触摸板，请把它按下，直到咔哒一声。</translation>
    </message>
</context>
<context>
    <name>joyvant::MappingWizard</name>
    <message>
        <source>There is no pad with device id %1.</source>
        <translation>没有设备编号为 %1 的手柄。</translation>
    </message>
    <message>
        <source>Game controllers are unavailable.</source>
        <translation>游戏控制器不可用。</translation>
    </message>
    <message>
        <source>Applied: the pad works as a game controller with this mapping now.</source>
        <translation>已应用：手柄现在按此映射作为游戏控制器工作。</translation>
    </message>
    <message>
        <source>Saved to %1.</source>
        <translation>已保存到 %1。</translation>
    </message>
    <message>
        <source>There is no clipboard to copy to.</source>
        <translation>没有可以复制到的剪贴板。</translation>
    </message>
    <message>
        <source>Copied to the clipboard.</source>
        <translation>已复制到剪贴板。</translation>
    </message>
    <message>
        <source>The mapping is not finished yet.</source>
        <translation>映射尚未完成。</translation>
    </message>
    <message>
        <source>No control was mapped.</source>
        <translation>没有映射任何控件。</translation>
    </message>
    <message>
        <source>The pad was disconnected.</source>
        <translation>手柄已断开连接。</translation>
    </message>
    <message>
        <source>%1 needs a stick: move the stick, a button cannot stand for it.</source>
        <translation>%1 需要摇杆：请移动摇杆，按键不能代替它。</translation>
    </message>
    <message>
        <source>This input is already mapped to %1.</source>
        <translation>此输入已映射到 %1。</translation>
    </message>
</context>
<context>
    <name>ViewChoice</name>
    <message>
        <source>Figures</source>
        <translation>数据</translation>
    </message>
    <message>
        <source>Bench</source>
        <translation>测试台</translation>
    </message>
</context>
<context>
    <name>HapticsSection</name>
    <message>
        <source>Low-frequency motor</source>
        <translation>低频马达</translation>
    </message>
    <message>
        <source>High-frequency motor</source>
        <translation>高频马达</translation>
    </message>
    <message>
        <source>Both motors</source>
        <translation>两个马达</translation>
    </message>
    <message>
        <source>Ramp 0 to full, 2 s</source>
        <translation>从零渐强到满，2 秒</translation>
    </message>
    <message>
        <source>Pulse train, 2 s</source>
        <translation>脉冲串，2 秒</translation>
    </message>
    <message>
        <source>Left trigger motor</source>
        <translation>左扳机马达</translation>
    </message>
    <message>
        <source>Right trigger motor</source>
        <translation>右扳机马达</translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>Playing: %1</source>
        <translation>正在播放：%1</translation>
    </message>
</context>
<context>
    <name>HapticsSectionForm.ui</name>
    <message>
        <source>Haptics</source>
        <translation>振动</translation>
    </message>
    <message>
        <source>Pulse rate</source>
        <translation>脉冲频率</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Low-frequency</source>
        <translation>低频</translation>
    </message>
    <message>
        <source>High-frequency</source>
        <translation>高频</translation>
    </message>
    <message>
        <source>Left trigger</source>
        <translation>左扳机</translation>
    </message>
    <message>
        <source>Right trigger</source>
        <translation>右扳机</translation>
    </message>
</context>
<context>
    <name>LightsSection</name>
    <message>
        <source>The pad shows %1</source>
        <translation>手柄显示 %1</translation>
    </message>
</context>
<context>
    <name>LightsSectionForm.ui</name>
    <message>
        <source>Light</source>
        <translation>灯光</translation>
    </message>
    <message>
        <source>Send colour</source>
        <translation>发送颜色</translation>
    </message>
</context>
<context>
    <name>SensorsSection</name>
    <message>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>rate not reported</source>
        <translation>未报告频率</translation>
    </message>
</context>
<context>
    <name>SensorsSectionForm.ui</name>
    <message>
        <source>Motion sensors</source>
        <translation>体感传感器</translation>
    </message>
    <message>
        <source>Gyro</source>
        <translation>陀螺仪</translation>
    </message>
    <message>
        <source>rad/s</source>
        <translation>rad/s</translation>
    </message>
    <message>
        <source>Accelerometer</source>
        <translation>加速度计</translation>
    </message>
    <message>
        <source>m/s²</source>
        <translation>m/s²</translation>
    </message>
</context>
<context>
    <name>TouchpadSection</name>
    <message>
        <source>Touchpad</source>
        <translation>触摸板</translation>
    </message>
</context>
<context>
    <name>ReportRateSection</name>
    <message>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>not measured yet</source>
        <translation>尚未测量</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 毫秒</translation>
    </message>
</context>
<context>
    <name>ReportRateSectionForm.ui</name>
    <message>
        <source>Report rate</source>
        <translation>回报率</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Jitter (99th - 1st percentile)</source>
        <translation>抖动（第 99 与第 1 百分位之差）</translation>
    </message>
    <message>
        <source>Longest gap</source>
        <translation>最长间隔</translation>
    </message>
    <message>
        <source>Move a stick: the pad reports while input changes.</source>
        <translation>请移动摇杆：输入变化时手柄才会回报。</translation>
    </message>
    <message>
        <source>Measure afresh</source>
        <translation>重新测量</translation>
    </message>
</context>
<context>
    <name>joyvant::HapticBench</name>
    <message>
        <source>There is no such pattern.</source>
        <translation>没有这种振动模式。</translation>
    </message>
    <message>
        <source>No pad is connected.</source>
        <translation>没有连接手柄。</translation>
    </message>
    <message>
        <source>The bench is not active.</source>
        <translation>测试台未启用。</translation>
    </message>
    <message>
        <source>This pad has no trigger motors.</source>
        <translation>这个手柄没有扳机马达。</translation>
    </message>
    <message>
        <source>This pad has no rumble motors.</source>
        <translation>这个手柄没有振动马达。</translation>
    </message>
    <message>
        <source>Another pattern is playing on this pad.</source>
        <translation>这个手柄正在播放另一个振动模式。</translation>
    </message>
</context>
<context>
    <name>joyvant::SensorBench</name>
    <message>
        <source>No pad is connected.</source>
        <translation>没有连接手柄。</translation>
    </message>
    <message>
        <source>This pad has no light that SDL can set.</source>
        <translation>这个手柄没有 SDL 能设置的灯。</translation>
    </message>
    <message>
        <source>This pad has no gyro that SDL can read.</source>
        <translation>这个手柄没有 SDL 能读取的陀螺仪。</translation>
    </message>
    <message>
        <source>This pad has no accelerometer that SDL can read.</source>
        <translation>这个手柄没有 SDL 能读取的加速度计。</translation>
    </message>
    <message>
        <source>This pad has no touchpad that SDL can read.</source>
        <translation>这个手柄没有 SDL 能读取的触摸板。</translation>
    </message>
</context>
<context>
    <name>joyvant::ReportRateBench</name>
    <message>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>irregular</source>
        <translation>不规则</translation>
    </message>
    <message>
        <source>The event device ended in the middle of a record.</source>
        <translation>事件设备在一条记录中途结束。</translation>
    </message>
    <message>
        <source>The event device closed.</source>
        <translation>事件设备已关闭。</translation>
    </message>
    <message>
        <source>The event device closed: %1 (was the pad unplugged?).</source>
        <translation>事件设备已关闭：%1（手柄被拔出了吗？）。</translation>
    </message>
    <message>
        <source>The report rate can only be measured on Linux.</source>
        <translation>只有在 Linux 上才能测量回报率。</translation>
    </message>
    <message>
        <source>No pad is connected.</source>
        <translation>没有连接手柄。</translation>
    </message>
    <message>
        <source>This pad has no event device to read (SDL reaches it another way, as it does a virtual pad).</source>
        <translation>这个手柄没有可读取的事件设备（SDL 通过其他方式访问它，虚拟手柄也是如此）。</translation>
    </message>
    <message>
        <source>The bench is not active.</source>
        <translation>测试台未启用。</translation>
    </message>
    <message>
        <source>No permission to read %1. Add your user to the group that owns it (often &quot;input&quot;), or give it a udev rule for this pad.</source>
        <translation>没有读取 %1 的权限。请把你的用户加入拥有它的用户组（通常是 &quot;input&quot;），或为这个手柄添加一条 udev 规则。</translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation>无法打开 %1：%2。</translation>
    </message>
    <message>
        <source>%1 is not an event device: SDL reads this pad another way, so its report frames cannot be timed.</source>
        <translation>%1 不是事件设备：SDL 通过其他方式读取这个手柄，因此无法为它的回报帧计时。</translation>
    </message>
</context>
</TS>
