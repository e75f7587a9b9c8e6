object ShowcaseForm: TShowcaseForm
  Left = 240
  Top = 160
  Width = 640
  Height = 480
  Caption = 'Tessaly showcase'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Menu = MainMenu1
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  OnClose = FormClose
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 12
    Top = 12
    Width = 56
    Height = 13
    Caption = '&Name:'
    FocusControl = Edit1
  end
  object Edit1: TEdit
    Left = 80
    Top = 8
    Width = 160
    Height = 21
    TabOrder = 0
    Text = 'Edit1'
    OnChange = Edit1Change
  end
  object Memo1: TMemo
    Left = 12
    Top = 40
    Width = 228
    Height = 72
    Lines.Strings = (
      'A memo with'
      'three lines'
      'of text.')
    ScrollBars = ssVertical
    TabOrder = 1
  end
  object Button1: TButton
    Left = 12
    Top = 120
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    TabOrder = 2
    OnClick = Button1Click
  end
  object CheckBox1: TCheckBox
    Left = 100
    Top = 124
    Width = 97
    Height = 17
    Caption = 'Check me'
    Checked = True
    State = cbChecked
    TabOrder = 3
  end
  object RadioButton1: TRadioButton
    Left = 12
    Top = 152
    Width = 113
    Height = 17
    Caption = 'Radio button'
    TabOrder = 4
  end
  object ListBox1: TListBox
    Left = 12
    Top = 176
    Width = 109
    Height = 60
    ItemHeight = 13
    Items.Strings = (
      'First'
      'Second'
      'Third')
    TabOrder = 5
  end
  object ComboBox1: TComboBox
    Left = 132
    Top = 176
    Width = 108
    Height = 21
    ItemHeight = 13
    TabOrder = 6
    Text = 'ComboBox1'
    Items.Strings = (
      'One'
      'Two')
  end
  object ScrollBar1: TScrollBar
    Left = 12
    Top = 244
    Width = 228
    Height = 17
    PageSize = 0
    TabOrder = 7
  end
  object GroupBox1: TGroupBox
    Left = 256
    Top = 8
    Width = 177
    Height = 105
    Caption = 'Group box'
    TabOrder = 8
    object RadioGroup1: TRadioGroup
      Left = 8
      Top = 16
      Width = 161
      Height = 81
      Caption = 'Radio group'
      ItemIndex = 1
      Items.Strings = (
        'Alpha'
        'Beta'
        'Gamma')
      TabOrder = 0
    end
  end
  object Panel1: TPanel
    Left = 256
    Top = 120
    Width = 177
    Height = 41
    BevelInner = bvLowered
    Caption = 'Panel with bevels'
    TabOrder = 9
  end
  object Bevel1: TBevel
    Left = 256
    Top = 168
    Width = 177
    Height = 9
    Shape = bsTopLine
  end
  object Shape1: TShape
    Left = 256
    Top = 184
    Width = 65
    Height = 41
    Brush.Color = clYellow
    Shape = stRoundRect
  end
  object StaticText1: TStaticText
    Left = 336
    Top = 192
    Width = 84
    Height = 17
    BorderStyle = sbsSunken
    Caption = 'Static text'
    TabOrder = 10
  end
  object ProgressBar1: TProgressBar
    Left = 256
    Top = 236
    Width = 177
    Height = 16
    Position = 60
    TabOrder = 11
  end
  object TrackBar1: TTrackBar
    Left = 448
    Top = 8
    Width = 169
    Height = 33
    Position = 4
    TabOrder = 12
  end
  object PageControl1: TPageControl
    Left = 448
    Top = 48
    Width = 169
    Height = 113
    ActivePage = TabSheet1
    TabOrder = 13
    object TabSheet1: TTabSheet
      Caption = 'First'
      object SpeedButton1: TSpeedButton
        Left = 8
        Top = 8
        Width = 23
        Height = 22
        Caption = 'S'
      end
      object BitBtn1: TBitBtn
        Left = 40
        Top = 8
        Width = 75
        Height = 25
        TabOrder = 0
        Kind = bkClose
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Second'
      ImageIndex = 1
    end
  end
  object ThirdPartyPanel: TAdvPanel
    Left = 448
    Top = 168
    Width = 169
    Height = 89
    Caption = 'An unknown container'
    Color = clInfoBk
    TabOrder = 14
    OnResize = ThirdPartyPanelResize
    Styler = AdvPanelStyler1
    object InnerLabel: TLabel
      Left = 8
      Top = 8
      Width = 99
      Height = 13
      Caption = 'A known child inside'
    end
    object InnerGrid: TAdvStringGrid
      Left = 8
      Top = 28
      Width = 150
      Height = 50
      ColCount = 3
      Cells = (
        0
        0
        'x')
    end
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 407
    Width = 632
    Height = 19
    Panels = <
      item
        Text = 'Ready'
        Width = 120
      end
      item
        Text = 'Second panel'
        Width = 50
      end>
  end
  object MainMenu1: TMainMenu
    Left = 24
    Top = 280
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open...'
        ShortCut = 16463
        OnClick = Open1Click
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Caption = 'E&xit'
        Action = ActionExit
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
    end
  end
  object ActionList1: TActionList
    Left = 56
    Top = 280
    object ActionExit: TAction
      Caption = 'E&xit'
      OnExecute = ActionExitExecute
    end
  end
  object Timer1: TTimer
    Interval = 500
    OnTimer = Timer1Timer
    Left = 88
    Top = 280
  end
  object OpenDialog1: TOpenDialog
    Filter = 'Form files (*.dfm)|*.dfm'
    Left = 120
    Top = 280
  end
  object AdvPanelStyler1: TAdvPanelStyler
    Left = 152
    Top = 280
  end
end
