<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>ConnectSelectDialog</name>
    <message>
        <source>Select Device</source>
        <translation>測定器の選択</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>InitSettingDialog</name>
    <message>
        <source>Successful read body data.</source>
        <translation>測定器からデータを読み込みました。</translation>
    </message>
    <message>
        <source>Failed to read automatic shutdown time.</source>
        <translation>自動電源オフ時間の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to write automatic shutdown time.</source>
        <translation>自動電源オフ時間の書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Successful device writing.</source>
        <translation>測定器への書き込みが完了しました。</translation>
    </message>
    <message>
        <source>Failed to write WhiteCalibPlate data.</source>
        <translation>白色校正板データの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to write WhiteCalibPlate file.</source>
        <translation>白色校正板ファイルの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to write AmbientLightAdapter data.</source>
        <translation>環境光アダプターデータの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to write AmbientLightAdapter file.</source>
        <translation>環境光アダプターファイルの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>csv(*.csv)</source>
        <translation>CSVファイル (*.csv)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Successful read file data.</source>
        <translation>ファイルを読み込みました。</translation>
    </message>
    <message>
        <source>Failed to read file data.</source>
        <translation>ファイルの読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to connect device.</source>
        <translation>測定器との接続に失敗しました。</translation>
    </message>
    <message>
        <source>Failed to read device data.</source>
        <translation>測定器情報の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Wireless LAN is invalid.</source>
        <translation>無線LANは無効です。</translation>
    </message>
    <message>
        <source>Failed to device WhiteCalibPlateSerialNo.</source>
        <translation>測定器の白色校正板シリアル番号の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to device AmbientLightAdapterSerialNo.</source>
        <translation>測定器の環境光アダプターシリアル番号の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>The measuring instruments is not connected.</source>
        <translation>測定器が接続されていません。</translation>
    </message>
    <message>
        <source>Failed to device disconnect.</source>
        <translation>測定器の切断に失敗しました。</translation>
    </message>
    <message>
        <source>Failed to disconnect device.</source>
        <translation>終了時の測定器の切断に失敗しました。</translation>
    </message>
    <message>
        <source>The connection with the measuring instrument was disconnected.</source>
        <translation>測定器との接続が切断されました。</translation>
    </message>
    <message>
        <source>Spectrophotometer Configuration Tool KT-9</source>
        <translation>分光測色計 設定ツール KT-9</translation>
    </message>
    <message>
        <source>*(*.*)</source>
        <translation>すべてのファイル (*.*)</translation>
    </message>
    <message>
        <source>Failed to read Network Infomation file data.</source>
        <translation>ネットワーク設定ファイルの読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>ini(*.ini)</source>
        <translation>INIファイル (*.ini)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>The input value is invalid.</source>
        <translation>入力値が正しくありません。</translation>
    </message>
    <message>
        <source>Successful file writing.</source>
        <translation>ファイルに書き込みました。</translation>
    </message>
    <message>
        <source>Failed to write Network Infomation file data.</source>
        <translation>ネットワーク設定ファイルの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to read Network Infomation data.</source>
        <translation>測定器からのネットワーク設定の読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Write successful. To reflect, after [Disconnect], turn the power supply of the measuring instrument OFF -&gt; ON.</source>
        <translation>書き込みが完了しました。設定を反映するには、[切断] の後、測定器の電源を OFF → ON してください。</translation>
    </message>
    <message>
        <source>Failed to write Network Infomation data.</source>
        <translation>測定器へのネットワーク設定の書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>Wireless LAN</source>
        <translation>無線LAN</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>Access Point</source>
        <translation>アクセスポイント</translation>
    </message>
    <message>
        <source>SSID:</source>
        <translation>SSID:</translation>
    </message>
    <message>
        <source>Security Key:</source>
        <translation>セキュリティキー:</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>DHCP:</source>
        <translation>DHCP:</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IPアドレス:</translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Subnet Mask:</source>
        <translation>サブネットマスク:</translation>
    </message>
    <message>
        <source>Default Gateway:</source>
        <translation>デフォルトゲートウェイ:</translation>
    </message>
    <message>
        <source>DNS Server:</source>
        <translation>DNSサーバー:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Read From File...</source>
        <translation>ファイルから読み込み...</translation>
    </message>
    <message>
        <source>Write To File...</source>
        <translation>ファイルへ書き込み...</translation>
    </message>
    <message>
        <source>Body</source>
        <translation>本体</translation>
    </message>
    <message>
        <source>Read From Body</source>
        <translation>本体から読み込み</translation>
    </message>
    <message>
        <source>Write To Body</source>
        <translation>本体へ書き込み</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>ネットワーク</translation>
    </message>
    <message>
        <source>Configure auto power off time</source>
        <translation>自動電源オフ時間の設定</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>15minutes</source>
        <translation>15分</translation>
    </message>
    <message>
        <source>30minutes</source>
        <translation>30分</translation>
    </message>
    <message>
        <source>60minutes</source>
        <translation>60分</translation>
    </message>
    <message>
        <source>Auto Power Off</source>
        <translation>自動電源オフ</translation>
    </message>
    <message>
        <source>Current Serial No:</source>
        <translation>現在のシリアル番号:</translation>
    </message>
    <message>
        <source>Select White Calibration Plate To Register</source>
        <translation>登録する白色校正板の選択</translation>
    </message>
    <message>
        <source>White Calibration Plate Values File(.csv)</source>
        <translation>白色校正板の値ファイル (.csv)</translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation>シリアル番号:</translation>
    </message>
    <message>
        <source>White calibration plate</source>
        <translation>白色校正板</translation>
    </message>
    <message>
        <source>Select Ambient Light Adapter To Register</source>
        <translation>登録する環境光アダプターの選択</translation>
    </message>
    <message>
        <source>Ambient Light Adapter Value File(.csv)</source>
        <translation>環境光アダプターの値ファイル (.csv)</translation>
    </message>
    <message>
        <source>Ambient light adapter</source>
        <translation>環境光アダプター</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Firmware Ver:</source>
        <translation>ファームウェア Ver:</translation>
    </message>
    <message>
        <source>MAC Address:</source>
        <translation>MACアドレス:</translation>
    </message>
    <message>
        <source>Tool Ver.1.10.0008</source>
        <translation>ツール Ver.1.10.0008</translation>
    </message>
</context>
<context>
    <name>LangSelectDialog</name>
    <message>
        <source>LanguageType</source>
        <translation>表示言語</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英語</translation>
    </message>
    <message>
        <source>Select Language</source>
        <translation>言語の選択</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Spectrophotometer Configuration Tool KT-9</source>
        <translation>分光測色計 設定ツール KT-9</translation>
    </message>
    <message>
        <source>Failed to set default language.</source>
        <translation>既定の表示言語を設定できませんでした。</translation>
    </message>
    <message>
        <source>Failed to set select(English) language.</source>
        <translation>選択した表示言語（英語）を設定できませんでした。</translation>
    </message>
    <message>
        <source>Failed to set select(japanese) language.</source>
        <translation>選択した表示言語（日本語）を設定できませんでした。</translation>
    </message>
    <message>
        <source>The measuring instruments is not connected.</source>
        <translation>測定器が接続されていません。</translation>
    </message>
</context>
</TS>
