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
</TS>
