object Form1: TForm1
  Left = 192
  Top = 114
  Width = 544
  Height = 375
  Caption = 'Gauges'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object TextGauge: TGauge
    Left = 16
    Top = 16
    Width = 153
    Height = 25
    Kind = gkText
    Progress = 0
    Text = 'Waiting for data'
  end
  object PlainBar: TGauge
    Left = 16
    Top = 56
    Width = 241
    Height = 21
    ForeColor = clNavy
    Progress = 35
  end
  object PercentBar: TGauge
    Left = 16
    Top = 88
    Width = 241
    Height = 21
    ForeColor = clTeal
    MinValue = 100
    MaxValue = 600
    Progress = 350
    ShowPercent = True
  end
  object FramedBar: TGauge
    Left = 16
    Top = 120
    Width = 241
    Height = 21
    RealOneStyle = True
    ForeColor = 10053171
    Progress = 62
    ShowPercent = True
  end
  object BorderlessBar: TGauge
    Left = 16
    Top = 152
    Width = 241
    Height = 17
    BorderStyle = bsNone
    ForeColor = clGreen
    Progress = 80
    ShowText = False
  end
  object FramedColumn: TGauge
    Left = 280
    Top = 16
    Width = 25
    Height = 153
    BackColor = 15790320
    RealOneStyle = True
    ForeColor = clBlue
    Kind = gkVerticalBar
    Progress = 45
  end
  object PlainColumn: TGauge
    Left = 320
    Top = 16
    Width = 25
    Height = 153
    ForeColor = clMaroon
    Kind = gkVerticalBar
    Progress = 70
  end
  object Pie: TGauge
    Left = 360
    Top = 16
    Width = 153
    Height = 153
    Color = clBtnFace
    ForeColor = clPurple
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -16
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    Kind = gkPie
    ParentColor = False
    ParentFont = False
    Progress = 27
    ShowPercent = True
  end
  object Needle: TGauge
    Left = 16
    Top = 192
    Width = 241
    Height = 129
    Color = clBtnFace
    ForeColor = clRed
    Kind = gkNeedle
    ParentColor = False
    Progress = 66
    ShowPercent = True
  end
  object Download: TGauge
    Left = 280
    Top = 192
    Width = 233
    Height = 33
    Anchors = [akLeft, akTop, akRight]
    BorderColor = 6579300
    InnerHighColor = 14399846
    InnerLowCOlor = 7027234
    RealOneStyle = True
    ForeColor = clBlue
    MaxValue = 2048
    Progress = 1536
    Text = 'Downloading...'
  end
end
