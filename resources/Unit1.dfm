object Form1: TForm1
  Left = 292
  Top = 133
  Width = 588
  Height = 439
  Caption = 'Tessaly'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object mmo1: TMemo
    Left = 196
    Top = 30
    Width = 384
    Height = 350
    Align = alClient
    Font.Charset = ANSI_CHARSET
    Font.Color = clWindowText
    Font.Height = -12
    Font.Name = #23435#20307
    Font.Style = []
    ParentFont = False
    ScrollBars = ssBoth
    TabOrder = 0
  end
  object mmo2: TMemo
    Left = 0
    Top = 30
    Width = 196
    Height = 350
    Align = alLeft
    Font.Charset = ANSI_CHARSET
    Font.Color = clWindowText
    Font.Height = -12
    Font.Name = #23435#20307
    Font.Style = []
    ParentFont = False
    ScrollBars = ssBoth
    TabOrder = 1
  end
  object Panel1: TPanel
    Left = 0
    Top = 380
    Width = 580
    Height = 30
    Align = alBottom
    Ctl3D = False
    ParentCtl3D = False
    TabOrder = 2
    object btn1: TButton
      Left = 117
      Top = 3
      Width = 131
      Height = 25
      Caption = #21152#36733' DFM '#31383#20307#25991#20214'(&O)'
      Font.Charset = ANSI_CHARSET
      Font.Color = clWindowText
      Font.Height = -12
      Font.Name = #23435#20307
      Font.Style = []
      ParentFont = False
      TabOrder = 0
      OnClick = btn1Click
    end
    object Btn2: TButton
      Left = 326
      Top = 3
      Width = 131
      Height = 25
      Caption = #36864#20986'(&X)'
      Font.Charset = ANSI_CHARSET
      Font.Color = clWindowText
      Font.Height = -12
      Font.Name = #23435#20307
      Font.Style = []
      ParentFont = False
      TabOrder = 1
      OnClick = btn2Click
    end
  end
  object Panel2: TPanel
    Left = 0
    Top = 0
    Width = 580
    Height = 30
    Align = alTop
    Ctl3D = False
    Font.Charset = ANSI_CHARSET
    Font.Color = clWindowText
    Font.Height = -12
    Font.Name = #23435#20307
    Font.Style = []
    ParentCtl3D = False
    ParentFont = False
    TabOrder = 3
    object Label1: TLabel
      Left = 75
      Top = 7
      Width = 48
      Height = 12
      Caption = #31383#20307#32452#20214
      Font.Charset = GB2312_CHARSET
      Font.Color = clWindowText
      Font.Height = -12
      Font.Name = #23435#20307
      Font.Style = []
      ParentFont = False
    end
    object Label2: TLabel
      Left = 350
      Top = 7
      Width = 60
      Height = 12
      Caption = #31383#20307#28304#20195#30721
      Font.Charset = GB2312_CHARSET
      Font.Color = clWindowText
      Font.Height = -12
      Font.Name = #23435#20307
      Font.Style = []
      ParentFont = False
    end
  end
  object dlgOpen: TOpenDialog
    DefaultExt = '*.dfm'
    Filter = 'Delphi '#31383#20307#25991#20214' (*.dfm)|*.dfm'
    Left = 256
    Top = 208
  end
end
