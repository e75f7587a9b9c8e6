object PageSetupForm: TPageSetupForm
  Left = 320
  Top = 180
  BorderStyle = bsDialog
  Caption = 'Параметры страницы'
  ClientHeight = 233
  ClientWidth = 353
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object GroupBox1: TGroupBox
    Left = 8
    Top = 8
    Width = 177
    Height = 97
    Caption = ' Размер бумаги '
    TabOrder = 0
    object Label1: TLabel
      Left = 12
      Top = 24
      Width = 42
      Height = 13
      Caption = 'Ширина:'
    end
    object Label2: TLabel
      Left = 12
      Top = 56
      Width = 41
      Height = 13
      Caption = 'Высота:'
    end
    object Edit1: TEdit
      Left = 72
      Top = 20
      Width = 89
      Height = 21
      TabOrder = 0
      Text = '210 мм'
    end
    object Edit2: TEdit
      Left = 72
      Top = 52
      Width = 89
      Height = 21
      TabOrder = 1
      Text = '297 мм'
    end
  end
  object RadioGroup1: TRadioGroup
    Left = 196
    Top = 8
    Width = 149
    Height = 97
    Caption = ' Ориентация '
    ItemIndex = 0
    Items.Strings = (
      'Книжная'
      'Альбомная')
    TabOrder = 1
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 116
    Width = 177
    Height = 17
    Caption = 'Печатать колонтитулы'
    Checked = True
    State = cbChecked
    TabOrder = 2
  end
  object CheckBox2: TCheckBox
    Left = 8
    Top = 140
    Width = 177
    Height = 17
    Caption = 'Двусторонняя печать'
    Enabled = False
    TabOrder = 3
  end
  object ComboBox1: TComboBox
    Left = 196
    Top = 116
    Width = 149
    Height = 21
    Hint = 'Выберите принтер'
    ItemHeight = 13
    ParentShowHint = False
    ShowHint = True
    TabOrder = 4
    Text = 'Принтер по умолчанию'
    Items.Strings = (
      'Принтер по умолчанию'
      'Факс')
  end
  object Button1: TButton
    Left = 108
    Top = 200
    Width = 75
    Height = 25
    Caption = 'ОК'
    Default = True
    ModalResult = 1
    TabOrder = 5
  end
  object Button2: TButton
    Left = 188
    Top = 200
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Отмена'
    ModalResult = 2
    TabOrder = 6
  end
  object Button3: TButton
    Left = 268
    Top = 200
    Width = 75
    Height = 25
    Caption = 'Справка'
    TabOrder = 7
  end
end
