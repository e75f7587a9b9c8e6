object CustomerForm: TCustomerForm
  Left = 250
  Top = 150
  Width = 456
  Height = 346
  Caption = 'Customer Details'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object Bevel1: TBevel
    Left = 8
    Top = 264
    Width = 432
    Height = 2
    Shape = bsTopLine
  end
  object Label1: TLabel
    Left = 8
    Top = 12
    Width = 66
    Height = 13
    Caption = 'Company name'
  end
  object Label2: TLabel
    Left = 8
    Top = 56
    Width = 38
    Height = 13
    Caption = 'Address'
  end
  object Label3: TLabel
    Left = 232
    Top = 12
    Width = 52
    Height = 13
    Caption = 'Customer #'
  end
  object Label4: TLabel
    Left = 232
    Top = 56
    Width = 80
    Height = 13
    Caption = 'Payment terms'
  end
  object Label5: TLabel
    Left = 8
    Top = 160
    Width = 39
    Height = 13
    Caption = 'Contacts'
  end
  object Label6: TLabel
    Left = 232
    Top = 160
    Width = 86
    Height = 13
    Caption = 'Credit limit (USD):'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label7: TLabel
    Left = 232
    Top = 204
    Width = 106
    Height = 13
    Caption = 'Last changed 02/14/2004'
    Font.Charset = ANSI_CHARSET
    Font.Color = clGrayText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
  end
  object Edit1: TEdit
    Left = 8
    Top = 28
    Width = 209
    Height = 21
    TabOrder = 0
    Text = 'Northwind Traders'
  end
  object Edit2: TEdit
    Left = 232
    Top = 28
    Width = 97
    Height = 21
    Color = clBtnFace
    ReadOnly = True
    TabOrder = 1
    Text = 'C-10482'
  end
  object Memo1: TMemo
    Left = 8
    Top = 72
    Width = 209
    Height = 77
    Lines.Strings = (
      '2732 Baker Blvd.'
      'Eugene, OR 97403'
      'USA')
    TabOrder = 2
  end
  object ComboBox1: TComboBox
    Left = 232
    Top = 72
    Width = 145
    Height = 21
    Style = csDropDownList
    ItemHeight = 13
    ItemIndex = 1
    TabOrder = 3
    Text = 'Net 30'
    Items.Strings = (
      'Cash on delivery'
      'Net 30'
      'Net 60')
  end
  object CheckBox1: TCheckBox
    Left = 232
    Top = 104
    Width = 145
    Height = 17
    Caption = 'Tax exempt'
    TabOrder = 4
  end
  object CheckBox2: TCheckBox
    Left = 232
    Top = 128
    Width = 145
    Height = 17
    Caption = 'On credit hold'
    Enabled = False
    TabOrder = 5
  end
  object ListBox1: TListBox
    Left = 8
    Top = 176
    Width = 209
    Height = 77
    ItemHeight = 13
    Items.Strings = (
      'Anne Dodsworth (Sales)'
      'Robert King (Purchasing)'
      'Laura Callahan (Accounts)')
    TabOrder = 6
  end
  object Edit3: TEdit
    Left = 232
    Top = 176
    Width = 97
    Height = 21
    TabOrder = 7
    Text = '25,000'
  end
  object Button1: TButton
    Left = 204
    Top = 276
    Width = 75
    Height = 25
    Caption = '&Save'
    Default = True
    TabOrder = 8
  end
  object Button2: TButton
    Left = 284
    Top = 276
    Width = 75
    Height = 25
    Caption = '&Delete'
    Enabled = False
    TabOrder = 9
  end
  object Button3: TButton
    Left = 364
    Top = 276
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Close'
    TabOrder = 10
  end
end
