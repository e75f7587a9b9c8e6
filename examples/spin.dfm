object Form1: TForm1
  Left = 200
  Top = 120
  Width = 420
  Height = 300
  Caption = 'Spin controls'
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
  object Quantity: TSpinEdit
    Left = 16
    Top = 16
    Width = 121
    Height = 22
    MaxValue = 100
    MinValue = 1
    TabOrder = 0
    Value = 5
    OnChange = QuantityChange
  end
  object Percent: TSpinEdit
    Left = 16
    Top = 48
    Width = 73
    Height = 24
    Increment = 10
    MaxValue = 100
    MinValue = 0
    TabOrder = 1
    Value = 50
  end
  object Unbounded: TSpinEdit
    Left = 16
    Top = 82
    Width = 121
    Height = 25
    MaxValue = 0
    MinValue = 0
    TabOrder = 2
    Value = -2147483648
  end
  object Locked: TSpinEdit
    Left = 16
    Top = 116
    Width = 121
    Height = 22
    EditorEnabled = False
    MaxValue = 9
    MinValue = 0
    TabOrder = 3
    Value = 3
  end
  object ReadOnlyEdit: TSpinEdit
    Left = 16
    Top = 148
    Width = 121
    Height = 22
    Color = clBtnFace
    MaxValue = 0
    MinValue = 0
    ReadOnly = True
    TabOrder = 4
    Value = 42
  end
  object FlatEdit: TSpinEdit
    Left = 16
    Top = 180
    Width = 121
    Height = 22
    Ctl3D = False
    MaxValue = 0
    MinValue = 0
    ParentCtl3D = False
    TabOrder = 5
    Value = 7
  end
  object BigFont: TSpinEdit
    Left = 16
    Top = 212
    Width = 145
    Height = 20
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clNavy
    Font.Height = -19
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    MaxValue = 0
    MinValue = 0
    ParentFont = False
    TabOrder = 6
    Value = 1999
  end
  object PageSpin: TSpinButton
    Left = 200
    Top = 16
    Width = 20
    Height = 25
    FocusControl = Quantity
    TabOrder = 7
    TabStop = True
    OnDownClick = PageSpinDownClick
    OnUpClick = PageSpinUpClick
  end
  object TallSpin: TSpinButton
    Left = 240
    Top = 16
    Width = 32
    Height = 64
    TabOrder = 8
  end
  object NarrowSpin: TSpinButton
    Left = 288
    Top = 16
    Width = 10
    Height = 17
    TabOrder = 9
  end
  object FlatSpin: TSpinButton
    Left = 320
    Top = 16
    Width = 17
    Height = 41
    Ctl3D = False
    ParentCtl3D = False
    TabOrder = 10
  end
end
